#include "shell/PrintDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"
#include "shell/TrackCheckList.h"

namespace fretlo {

TPrintForm::TPrintForm(QWidget* parent, int trackCount, bool preview, const THelpRequest& help)
    : QDialog(parent), tracks_(new TTrackCheckList(trackCount, this)),
      title_(new QCheckBox("Print &Title and Author on First Page", this)),
      pageNumbers_(new QCheckBox("Print &Page Numbers", this)) {
    setWindowTitle(preview ? "Print Preview" : "Print");
    title_->setChecked(true);
    pageNumbers_->setChecked(true);
    auto* box = new QVBoxLayout(this);
    box->addWidget(BuddyLabel("T&racks:", tracks_));
    box->addWidget(tracks_, 1);
    box->addWidget(title_);
    box->addWidget(pageNumbers_);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, preview ? hcPrintPreview : hcPrint, [this] {
        if (tracks_->AcceptChoice()) accept();
    }));
    tracks_->setFocus();
}

TPrintOptions TPrintForm::Options() const {
    TPrintOptions options;
    options.Title = title_->isChecked();
    options.PageNumbers = pageNumbers_->isChecked();
    options.Tracks = ToTrackFilter(tracks_->Checked());
    return options;
}

}  // namespace fretlo
