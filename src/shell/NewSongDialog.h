// TBarLinesForm: the New command's "New - Settings" dialog, choosing the bar length of the
// new song in spaces (4 to 67), or 0 for a song without bar lines.
#pragma once

#include <QDialog>
#include <optional>

#include "shell/DialogButtons.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace fretlo {

class TBarLinesForm : public QDialog {
    Q_OBJECT
public:
    TBarLinesForm(QWidget* parent, const THelpRequest& help);

    // The bar length after OK.
    int BarSpaces() const { return result_; }

private:
    void TryAccept();
    void UpdateFields();

    QRadioButton* none_;
    QRadioButton* every_;
    QLineEdit* beats_;
    QComboBox* fraction_;
    int result_ = 16;
};

// Shows the dialog; the bar length, or nothing when cancelled.
std::optional<int> AskNewSongBars(QWidget* parent, const THelpRequest& help);

}  // namespace fretlo
