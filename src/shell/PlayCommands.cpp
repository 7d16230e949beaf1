// The Play menu: the player bridge's states on the actions, and the menu's switches.
#include <QAction>

#include "shell/Main.h"
#include "view/TabEditorView.h"

namespace fretlo {

void TMainForm::ConnectPlayer() {
    connect(View_, &TTabEditorView::PlayingChanged, this, [this](bool playing) {
        actPlay->setEnabled(!playing);
        actPlayAll->setEnabled(!playing);
        actStop->setEnabled(playing);
    });
    connect(View_, &TTabEditorView::PlayerExistsChanged, PCloseDevice, &QAction::setEnabled);
}

void TMainForm::PMenuShow() {
    PIgnoreRepeats->setChecked(View_->PlayerSettings().IgnoreRepeats);
    PlayNotesItems[static_cast<int>(View_->PreviewMode())]->setChecked(true);
}

}  // namespace fretlo
