// The Song menu's bar commands: the dialogs and questions in front of the bar operations.
#include <QMessageBox>

#include "edit/BarCommands.h"
#include "shell/AddBarsDialog.h"
#include "shell/HelpContexts.h"
#include "shell/Main.h"
#include "shell/MainFormRules.h"
#include "shell/NewSongDialog.h"

namespace fretlo {

void TMainForm::SRecreateBarLinesClick() {
    GoToCursorBarStart(Document_);
    const auto barSpaces = AskBarLines(this, "Recreate Bar Lines", hcRecreateBarLines, HelpRequest());
    if (!barSpaces) return;
    if (QMessageBox::warning(
            this, AppTitle,
            "Are you sure you want to recreate the bar lines, starting at the cursor position?",
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    RecreateBarLines(Document_, *barSpaces);
}

void TMainForm::SAddBarsClick() {
    TAddBarsForm dialog(
        this, [this](int bars, int barSpaces) { return AddBarsRefusal(Document_, bars, barSpaces); },
        HelpRequest());
    if (dialog.exec() == QDialog::Accepted) AddBars(Document_, dialog.Bars(), dialog.BarSpaces());
}

// Its refusals and its question come through the view.
void TMainForm::SRemoveUnusedBarsClick() { RemoveUnusedBars(Document_); }

}  // namespace fretlo
