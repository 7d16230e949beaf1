// The Help menu: help pages by context number in the program's help window, the About box.
#include "shell/AboutBox.h"
#include "shell/HelpWindow.h"
#include "shell/Main.h"
#include "shell/ProgramData.h"

namespace fretlo {

THelpRequest TMainForm::HelpRequest() {
    return [this](int context) { ShowHelp(context); };
}

void TMainForm::ShowHelp(int context) {
    if (!help_) help_ = std::make_unique<THelpWindow>(ProgramDataFolder() + "/help");
    if (!help_->ShowContext(context)) ShowError("Failed to open Help.");
}

void TMainForm::HAboutClick() {
    TAboutBox about(this);
    about.exec();
}

}  // namespace fretlo
