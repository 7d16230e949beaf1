// TBarLinesForm: the bar-line dialog, choosing a bar length in spaces (4 to 67), or 0 for no
// bar lines: New's "New - Settings" for the new song, and Recreate Bar Lines.
#pragma once

#include <QDialog>
#include <optional>

#include "shell/BarLengthFields.h"
#include "shell/DialogButtons.h"

class QRadioButton;

namespace fretlo {

class TBarLinesForm : public QDialog {
    Q_OBJECT
public:
    TBarLinesForm(QWidget* parent, const QString& caption, int helpContext, const THelpRequest& help);

    // The bar length after OK.
    int BarSpaces() const { return result_; }

private:
    void TryAccept();
    void UpdateFields();

    QRadioButton* none_;
    QRadioButton* every_;
    TBarLengthFields length_;
    int result_ = 16;
};

// Shows the dialog; the bar length, or nothing when cancelled.
std::optional<int> AskBarLines(QWidget* parent, const QString& caption, int helpContext,
                               const THelpRequest& help);

}  // namespace fretlo
