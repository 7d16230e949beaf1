// TTempoForm: the song's "Tempo" dialog (30 to 500 beats per minute).
#pragma once

#include <QDialog>

#include "playback/TempoTap.h"
#include "shell/DialogButtons.h"

class QLineEdit;

namespace fretlo {

class TTempoForm : public QDialog {
    Q_OBJECT
public:
    // The tap dialog of "T&ap..." runs on `tapClock` (the system's without one).
    TTempoForm(QWidget* parent, int tempo, const THelpRequest& help, TTempoTap::TClock tapClock = {});
    int Tempo() const { return tempo_; }

private:
    void TryAccept();

    QLineEdit* edit_;
    int tempo_;
};

}  // namespace fretlo
