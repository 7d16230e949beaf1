// TPrintForm: the options of Print and Print Preview: the tracks to print, the title block and
// the page numbers.
#pragma once

#include <QDialog>

#include "shell/DialogButtons.h"
#include "view/PrintSurface.h"

class QCheckBox;

namespace fretlo {

class TTrackCheckList;

class TPrintForm : public QDialog {
    Q_OBJECT
public:
    // Captioned "Print", or "Print Preview" when `preview`.
    TPrintForm(QWidget* parent, int trackCount, bool preview, const THelpRequest& help);

    TPrintOptions Options() const;

private:
    TTrackCheckList* tracks_;
    QCheckBox* title_;
    QCheckBox* pageNumbers_;
};

}  // namespace fretlo
