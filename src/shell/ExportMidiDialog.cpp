#include "shell/ExportMidiDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"
#include "shell/TrackCheckList.h"

namespace fretlo {

TExportMidiForm::TExportMidiForm(QWidget* parent, int trackCount, const THelpRequest& help)
    : QDialog(parent), tracks_(new TTrackCheckList(trackCount, this)),
      muted_(new QCheckBox("Include &Muted Strings", this)),
      banks_(new QCheckBox("Include &Bank Selects", this)) {
    setWindowTitle("Export MIDI File");
    muted_->setChecked(true);
    auto* label = new QLabel("&Tracks", this);
    label->setBuddy(tracks_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(label);
    box->addWidget(tracks_, 1);
    box->addWidget(muted_);
    box->addWidget(banks_);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, hcExportMidi, [this] { TryAccept(); }));
    tracks_->setFocus();
}

void TExportMidiForm::TryAccept() {
    if (tracks_->AcceptChoice()) accept();
}

std::bitset<MaxTracks> TExportMidiForm::Tracks() const { return tracks_->Checked(); }
bool TExportMidiForm::IncludeMuted() const { return muted_->isChecked(); }
bool TExportMidiForm::IncludeBankSelects() const { return banks_->isChecked(); }

}  // namespace fretlo
