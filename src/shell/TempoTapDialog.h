// TTempoTapForm: the "Tap Tempo" dialog. Every letter key is a tap to the beat; OK gives the
// measured tempo rounded to whole beats per minute (playback/TempoTap.h does the counting).
#pragma once

#include <QDialog>

#include "playback/TempoTap.h"

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace fretlo {

class TTempoTapForm : public QDialog {
    Q_OBJECT
public:
    // Without a clock the system's.
    explicit TTempoTapForm(QWidget* parent, TTempoTap::TClock clock = {});
    // The measured tempo; valid once OK is enabled.
    int Tempo() const { return tap_.Tempo().value_or(0); }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void ShowTaps();

    TTempoTap tap_;
    QLineEdit* average_;
    QProgressBar* progress_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The "T&ap..." button of a tempo field: runs the dialog and on OK writes the tempo into
// the field, selected when the field has the focus.
void TapTempoInto(QWidget* parent, QLineEdit* field, TTempoTap::TClock clock = {});

}  // namespace fretlo
