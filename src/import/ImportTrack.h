// One track of an imported song from one part: the settings and tuning of the chosen kind,
// the spaces of its grid with their time ratios, the notes on strings and the part's later
// program changes as instrument effects.
#pragma once

#include <memory>
#include <optional>

#include "document/TrackData.h"
#include "import/ImportReport.h"
#include "import/MidiSong.h"
#include "import/SpaceGrid.h"
#include "import/PartChoice.h"

namespace fretlo {

// The time ratio that makes a group's spaces fill its plain spaces (a triplet 2/3).
struct TGroupRatio {
    int Num, Den;
};
TGroupRatio GroupRatio(TGroupKind kind);

// Lays the grid's first `spaceCount` spaces into an empty track: a new track's empty spaces
// get the ratio of their group with TTrackData::SetRatio.
void LayGridSpaces(TTrackData& track, const TSpaceGrid& grid, int spaceCount);

// The space nearest to a tick among the grid's first `spaceCount`; nothing past them.
std::optional<TSpaceGrid::TPlace> PlaceTick(const TSpaceGrid& grid, int spaceCount, int64_t tick);

// A track of `spaceCount` spaces (at most the grid's) for the part; `report` gets its counts.
std::unique_ptr<TTrackData> ImportTrack(const TMidiPart& part, const TPartChoice& choice,
                                        const TSpaceGrid& grid, int spaceCount, TTrackReport& report);

}  // namespace fretlo
