// TSpeedForm: the Play menu's "Speed" dialog: the playback speed, and the trainer that
// raises it by a step every few loop passes from a start speed up to a target speed.
#pragma once

#include <QDialog>

#include "shell/DialogButtons.h"
#include "shell/Settings.h"

class QCheckBox;
class QSpinBox;

namespace fretlo {

class TSpeedForm : public QDialog {
    Q_OBJECT
public:
    TSpeedForm(QWidget* parent, const TPracticeSettings& practice, const THelpRequest& help);
    // The choices as OK left them; the loop and count-in switches come back unchanged.
    const TPracticeSettings& Practice() const { return practice_; }

private:
    void UpdateControls();
    void TryAccept();

    TPracticeSettings practice_;
    QSpinBox* speed_;
    QCheckBox* trainer_;
    QSpinBox* start_;
    QSpinBox* step_;
    QSpinBox* every_;
    QSpinBox* target_;
};

}  // namespace fretlo
