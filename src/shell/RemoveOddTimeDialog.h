// TRemoveOddTimeForm: the dialog that removes the alternate-time region at the cursor, the
// whole of it or only the part under the cursor. The view shows what would go as the
// selection while a choice is made.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "edit/AltTimeRegion.h"
#include "shell/DialogButtons.h"

class QRadioButton;

namespace fretlo {

// Shows the time range [start, end) as the selection.
using TShowRange = std::function<void(int32_t start, int32_t end)>;

class TRemoveOddTimeForm : public QDialog {
    Q_OBJECT
public:
    TRemoveOddTimeForm(QWidget* parent, const TRegionToRemove& region, TShowRange show,
                       const THelpRequest& help);

    bool Entire() const;

private:
    void ShowChoice();

    TRegionToRemove region_;
    TShowRange show_;
    QRadioButton* entire_;
    QRadioButton* part_;
};

}  // namespace fretlo
