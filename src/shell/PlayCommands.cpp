// The Play menu: the player bridge's states on the actions, the menu's switches, and the
// practice choices (loop, speed with its trainer, count-in) with the Speed dialog.
#include <QAction>
#include <QSignalBlocker>
#include <QSpinBox>

#include "playback/Practice.h"
#include "shell/Main.h"
#include "shell/SpeedDialog.h"
#include "view/TabEditorView.h"

namespace fretlo {

namespace {

// A trainer that would fall from its start to its target is no trainer (the store may hold one).
TPracticeChoice PracticeChoice(const TPracticeSettings& s) {
    TPracticeChoice choice;
    choice.LoopSelection = s.LoopSelection;
    choice.CountIn = s.CountIn;
    choice.Speed = s.Speed;
    if (s.TrainerOn && s.TrainerStart <= s.TrainerTarget)
        choice.Trainer = TSpeedTrainer{s.TrainerStart, s.TrainerStep, s.TrainerEvery, s.TrainerTarget};
    return choice;
}

}  // namespace

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

void TMainForm::SetPractice(const TPracticeSettings& practice) {
    settings_.Practice = practice;
    settings_.Practice.Speed = ClampSpeed(practice.Speed);
    PLoopSelection->setChecked(practice.LoopSelection);
    PCountIn->setChecked(practice.CountIn);
    {
        const QSignalBlocker quiet(SpeedBox);
        SpeedBox->setValue(settings_.Practice.Speed);
    }
    View_->SetPractice(PracticeChoice(settings_.Practice));
}

void TMainForm::SetPracticeSwitch(bool TPracticeSettings::*member, bool on) {
    TPracticeSettings practice = settings_.Practice;
    practice.*member = on;
    SetPractice(practice);
}

void TMainForm::ChooseSpeed(int speed) {
    TPracticeSettings practice = settings_.Practice;
    practice.Speed = speed;
    SetPractice(practice);
    View_->SetSpeed(settings_.Practice.Speed);
}

// From the speed playing now, which a trainer may have raised above the chosen one.
void TMainForm::ChangeSpeed(int step) {
    const std::optional<TPracticeState> playing = View_->PlayingPractice();
    ChooseSpeed((playing ? playing->Speed : settings_.Practice.Speed) + step);
}

void TMainForm::PSpeedClick() {
    TSpeedForm form(this, settings_.Practice, HelpRequest());
    if (form.exec() != QDialog::Accepted) return;
    SetPractice(form.Practice());
    // With the trainer on, the dialog's speed has no say (and a running trainer keeps its own).
    if (!settings_.Practice.TrainerOn) View_->SetSpeed(settings_.Practice.Speed);
}

}  // namespace fretlo
