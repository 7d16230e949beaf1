// TOddTimeForm: the dialog that creates an alternate-time region from the selected spaces:
// 32nd notes (2:1), a triplet (3:2) or a custom "fit n spaces into every m" ratio.
#pragma once

#include <QDialog>

#include "shell/DialogButtons.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace fretlo {

class TOddTimeForm : public QDialog {
    Q_OBJECT
public:
    TOddTimeForm(QWidget* parent, int selectedSpaces, const THelpRequest& help);

    // The ratio after OK as the spaces store it: RatioNum = second number, RatioDen = first.
    int RatioNum() const { return second_; }
    int RatioDen() const { return first_; }

private:
    void Preset(int first, int second);
    void UpdateFields();
    void TryAccept();

    int count_;
    QRadioButton* thirtySecond_;
    QRadioButton* triplet_;
    QRadioButton* custom_;
    QLabel* fitLabel_;
    QLabel* everyLabel_;
    QLineEdit* firstEdit_;
    QLineEdit* secondEdit_;
    int first_ = 2;
    int second_ = 1;
};

}  // namespace fretlo
