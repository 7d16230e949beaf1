#include "shell/ExportTextDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <climits>

#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"
#include "shell/TrackCheckList.h"

namespace fretlo {

namespace {

QLineEdit* NumberField(QWidget* parent, int value) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setMaxLength(3);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("00000") + 12);
    return edit;
}

// A field that is not a whole number counts as 0, which every range refuses.
int FieldNumber(const QLineEdit* edit) {
    const auto value = ParseWholeNumber(edit->text().toStdString());
    return value && *value >= INT_MIN && *value <= INT_MAX ? static_cast<int>(*value) : 0;
}

}  // namespace

TExportTextForm::TExportTextForm(QWidget* parent, int trackCount, const THelpRequest& help)
    : QDialog(parent), lineWidth_(NumberField(this, 76)), linesPerPage_(NumberField(this, 60)),
      breakAtBar_(new QCheckBox("&Break Lines at Bar", this)),
      pageBreaks_(new QCheckBox("&Page Breaks", this)), tracks_(new TTrackCheckList(trackCount, this)),
      trackCount_(trackCount) {
    setWindowTitle("Export Text File");
    breakAtBar_->setChecked(true);
    linesPerPage_->setEnabled(false);
    connect(pageBreaks_, &QCheckBox::toggled, linesPerPage_, &QLineEdit::setEnabled);

    auto* form = new QFormLayout;
    form->addRow("&Line Width:", lineWidth_);
    form->addRow(breakAtBar_);
    form->addRow(pageBreaks_);
    form->addRow("Lines P&er Page:", linesPerPage_);
    auto* label = new QLabel("&Tracks", this);
    label->setBuddy(tracks_);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addWidget(label);
    box->addWidget(tracks_, 1);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, hcExportText, [this] { TryAccept(); }));
    lineWidth_->setFocus();
    lineWidth_->selectAll();
}

TTextExportOptions TExportTextForm::FieldValues() const {
    TTextExportOptions options;
    options.LineWidth = FieldNumber(lineWidth_);
    options.BreakAtBar = breakAtBar_->isChecked();
    options.PageBreaks = pageBreaks_->isChecked();
    options.LinesPerPage = options.PageBreaks ? FieldNumber(linesPerPage_) : MaxLinesPerPage;
    return options;
}

void TExportTextForm::TryAccept() {
    const TTextExportOptions options = FieldValues();
    if (const auto problem = CheckTextExport(options, tracks_->Checked(), trackCount_)) {
        QWidget* const fields[] = {lineWidth_, linesPerPage_, tracks_};
        RefuseField(this, problem->Message, fields[static_cast<int>(problem->Field)]);
        return;
    }
    options_ = options;
    accept();
}

std::bitset<MaxTracks> TExportTextForm::Tracks() const { return tracks_->Checked(); }

}  // namespace fretlo
