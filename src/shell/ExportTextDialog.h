// TExportTextForm: the "Export Text File" dialog: line width, page breaks and the tracks.
#pragma once

#include <QDialog>
#include <bitset>

#include "document/Limits.h"
#include "export/ExportText.h"
#include "shell/DialogButtons.h"

class QCheckBox;
class QLineEdit;

namespace fretlo {

class TTrackCheckList;

class TExportTextForm : public QDialog {
    Q_OBJECT
public:
    TExportTextForm(QWidget* parent, int trackCount, const THelpRequest& help);

    // Valid after OK; the lines per page are 100 without page breaks.
    const TTextExportOptions& Options() const { return options_; }
    std::bitset<MaxTracks> Tracks() const;

private:
    void TryAccept();
    TTextExportOptions FieldValues() const;

    QLineEdit* lineWidth_;
    QLineEdit* linesPerPage_;
    QCheckBox* breakAtBar_;
    QCheckBox* pageBreaks_;
    TTrackCheckList* tracks_;
    int trackCount_;
    TTextExportOptions options_;
};

}  // namespace fretlo
