// TExportMidiForm: the "Export MIDI File" dialog choosing the tracks and the two options.
#pragma once

#include <QDialog>
#include <bitset>

#include "document/Limits.h"
#include "shell/DialogButtons.h"

class QCheckBox;

namespace fretlo {

class TTrackCheckList;

class TExportMidiForm : public QDialog {
    Q_OBJECT
public:
    TExportMidiForm(QWidget* parent, int trackCount, const THelpRequest& help);

    std::bitset<MaxTracks> Tracks() const;
    bool IncludeMuted() const;
    bool IncludeBankSelects() const;

private:
    void TryAccept();

    TTrackCheckList* tracks_;
    QCheckBox* muted_;
    QCheckBox* banks_;
};

}  // namespace fretlo
