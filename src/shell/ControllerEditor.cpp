#include "shell/ControllerEditor.h"

#include <QComboBox>
#include <QHBoxLayout>

#include "shell/SliderBox.h"

namespace fretlo {

namespace {

constexpr const char* ControllerNames[ControllerCount] = {"Pitch Bend", "Modulation", "Pan", "Reverb",
                                                          "Chorus"};
// Pitch bend is in cents, the others are controller values.
constexpr TSliderRange PitchBendRange{-2400, 2400, 200, 100, 5};
constexpr TSliderRange ControllerRange{0, 127, 8, 8, 3};

}  // namespace

TControllerEditor::TControllerEditor(QWidget* parent)
    : QWidget(parent), choice_(new QComboBox(this)), slider_(new TSliderBox(ControllerRange, this)) {
    for (const char* name : ControllerNames) choice_->addItem(name);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(choice_);
    row->addWidget(slider_, 1);
    connect(choice_, &QComboBox::currentIndexChanged, this, &TControllerEditor::ShowCurrent);
    connect(slider_, &TSliderBox::ValueChanged, this, [this](int value) { values_[Current()] = value; });
    SetCurrent(ctPan);
}

void TControllerEditor::SetValue(TController controller, int value) {
    values_[controller] = value;
    if (controller == Current()) ShowCurrent();
}

TController TControllerEditor::Current() const { return static_cast<TController>(choice_->currentIndex()); }

void TControllerEditor::SetCurrent(TController controller) { choice_->setCurrentIndex(controller); }

void TControllerEditor::ShowCurrent() {
    const TController current = Current();
    // The stored value goes in after the range, which would otherwise clamp it and store that.
    const int value = values_[current];
    slider_->SetRange(current == ctPitchBend ? PitchBendRange : ControllerRange);
    {
        const QSignalBlocker quiet(slider_);
        slider_->SetValue(value);
    }
    slider_->SetAccessibleName(ControllerNames[current]);
    values_[current] = slider_->Value();
}

}  // namespace fretlo
