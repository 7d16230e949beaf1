// TControllerEditor: the five MIDI controller values of a track (Pitch Bend, Modulation, Pan,
// Reverb, Chorus) edited through one choice and one slider with its box.
#pragma once

#include <QWidget>
#include <array>

class QComboBox;

namespace fretlo {

class TSliderBox;

enum TController { ctPitchBend, ctModulation, ctPan, ctReverb, ctChorus, ControllerCount };

class TControllerEditor : public QWidget {
    Q_OBJECT
public:
    explicit TControllerEditor(QWidget* parent = nullptr);

    int Value(TController controller) const { return values_[controller]; }
    void SetValue(TController controller, int value);
    // The controller the slider edits.
    TController Current() const;
    void SetCurrent(TController controller);

    QComboBox* Choice() const { return choice_; }
    TSliderBox* Slider() const { return slider_; }

private:
    void ShowCurrent();

    std::array<int, ControllerCount> values_{};
    QComboBox* choice_;
    TSliderBox* slider_;
};

}  // namespace fretlo
