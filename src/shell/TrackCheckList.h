// The "&Tracks" list of the export dialogs: one checkable entry "Track n" per track, all checked.
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
};

}  // namespace fretlo
