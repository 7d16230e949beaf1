// TTempoForm: the song's "Tempo" dialog (30 to 500 beats per minute).
#pragma once

#include <QDialog>

#include "shell/DialogButtons.h"

class QLineEdit;

namespace fretlo {

class TTempoForm : public QDialog {
    Q_OBJECT
public:
    TTempoForm(QWidget* parent, int tempo, const THelpRequest& help);
    int Tempo() const { return tempo_; }

private:
    void TryAccept();

    QLineEdit* edit_;
    int tempo_;
};

}  // namespace fretlo
