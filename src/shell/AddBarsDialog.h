// TAddBarsForm: the Add Bars dialog, asking how many bars to add at the song's end and how
// long each is. OK also asks the song whether it has room for them; a refusal keeps the
// dialog open with the number of bars focused.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "shell/BarLengthFields.h"
#include "shell/DialogButtons.h"

class QLineEdit;

namespace fretlo {

// Why the song cannot take `bars` bars of `barSpaces` spaces; nothing when it can.
using TAddBarsCheck = std::function<std::optional<std::string>(int bars, int barSpaces)>;

class TAddBarsForm : public QDialog {
    Q_OBJECT
public:
    TAddBarsForm(QWidget* parent, TAddBarsCheck check, const THelpRequest& help);

    // The request after OK.
    int Bars() const { return bars_; }
    int BarSpaces() const { return barSpaces_; }

private:
    void TryAccept();

    TAddBarsCheck check_;
    QLineEdit* count_;
    TBarLengthFields length_;
    int bars_ = 1;
    int barSpaces_ = 16;
};

}  // namespace fretlo
