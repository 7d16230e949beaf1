// TSliderBox: a slider with an edit box beside it that shows its value. Moving the slider
// shows the value in the box unless the box has the focus; typing in the box (blanks trimmed,
// a non-number counting as 0) moves the slider, which keeps to its range; leaving the box shows
// the slider's value again.
#pragma once

#include <QWidget>

class QLineEdit;
class QSlider;

namespace fretlo {

struct TSliderRange {
    int Min;
    int Max;
    int TickInterval;
    int PageStep;
    int MaxLength;  // characters of the box
};

class TSliderBox : public QWidget {
    Q_OBJECT
public:
    TSliderBox(const TSliderRange& range, QWidget* parent = nullptr);

    int Value() const;
    void SetValue(int value);
    // A new range; the value is clamped into it without a ValueChanged.
    void SetRange(const TSliderRange& range);
    // Both parts are named after the label that names the pair.
    void SetAccessibleName(const QString& name);

    QSlider* Slider() const { return slider_; }
    QLineEdit* Box() const { return box_; }

signals:
    // The slider moved, by the user, by typing or by SetValue.
    void ValueChanged(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ShowValue();

    QSlider* slider_;
    QLineEdit* box_;
};

}  // namespace fretlo
