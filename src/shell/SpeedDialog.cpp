#include "shell/SpeedDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "playback/Practice.h"
#include "shell/HelpContexts.h"
#include "shell/SettingsTable.h"

namespace fretlo {

namespace {

QSpinBox* SpinBox(QWidget* parent, int min, int max, int value, const char* suffix) {
    auto* box = new QSpinBox(parent);
    box->setRange(min, max);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

TSpeedForm::TSpeedForm(QWidget* parent, const TPracticeSettings& practice, const THelpRequest& help)
    : QDialog(parent), practice_(practice) {
    setWindowTitle("Speed");
    speed_ = SpinBox(this, MinSpeed, MaxSpeed, practice.Speed, " %");
    speed_->setSingleStep(5);
    trainer_ = new QCheckBox("Speed &trainer: faster on every few loop passes", this);
    NameAfter(trainer_, trainer_->text());
    trainer_->setChecked(practice.TrainerOn);
    auto* group = new QGroupBox(this);
    start_ = SpinBox(group, MinSpeed, MaxSpeed, practice.TrainerStart, " %");
    step_ = SpinBox(group, 1, MaxTrainerStep, practice.TrainerStep, " %");
    every_ = SpinBox(group, 1, MaxTrainerEvery, practice.TrainerEvery, "");
    // "1 loop", "2 loops": the box says what it counts.
    const auto countLoops = [this](int loops) { every_->setSuffix(loops == 1 ? " loop" : " loops"); };
    connect(every_, &QSpinBox::valueChanged, this, countLoops);
    countLoops(every_->value());
    target_ = SpinBox(group, MinSpeed, MaxSpeed, practice.TrainerTarget, " %");

    auto* trainerForm = new QFormLayout(group);
    trainerForm->addRow(BuddyLabel("Sta&rt speed:", start_), start_);
    trainerForm->addRow(BuddyLabel("Ste&p:", step_), step_);
    trainerForm->addRow(BuddyLabel("&Every:", every_), every_);
    trainerForm->addRow(BuddyLabel("T&arget speed:", target_), target_);
    auto* speedForm = new QFormLayout;
    speedForm->addRow(BuddyLabel("&Speed:", speed_), speed_);
    auto* box = new QVBoxLayout(this);
    box->addLayout(speedForm);
    box->addWidget(trainer_);
    box->addWidget(group);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, hcPlay, [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);
    connect(trainer_, &QCheckBox::toggled, this, [this] { UpdateControls(); });
    UpdateControls();
    speed_->selectAll();
}

// The trainer sets the speed of every pass, so the fixed speed has no say while it is on.
void TSpeedForm::UpdateControls() {
    const bool on = trainer_->isChecked();
    speed_->setEnabled(!on);
    for (QSpinBox* box : {start_, step_, every_, target_}) box->setEnabled(on);
}

void TSpeedForm::TryAccept() {
    if (trainer_->isChecked() && target_->value() < start_->value()) {
        RefuseField(this, "The target speed must not be below the start speed.", target_);
        return;
    }
    practice_.Speed = speed_->value();
    practice_.TrainerOn = trainer_->isChecked();
    practice_.TrainerStart = start_->value();
    practice_.TrainerStep = step_->value();
    practice_.TrainerEvery = every_->value();
    practice_.TrainerTarget = target_->value();
    accept();
}

}  // namespace fretlo
