// The "&Tracks" list of the export and print dialogs: one checkable entry "Track n" per track,
// all checked.
#pragma once

#include <QListWidget>
#include <bitset>

#include "document/Limits.h"

namespace fretlo {

class TTrackCheckList : public QListWidget {
    Q_OBJECT
public:
    TTrackCheckList(int trackCount, QWidget* parent);
    std::bitset<MaxTracks> Checked() const;
    // False after refusing a choice of no track, with the focus back on the list.
    bool AcceptChoice();
};

}  // namespace fretlo
