// The time-range selection of the editor and the spaces of a track it covers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

namespace fretlo {

class TCustomTabDoc;

// A range of song time on the cursor track, or on every track; kept as times so that
// one selection covers tracks whose spaces differ.
struct TSelection {
    bool Active = false;
    bool AllTracks = false;
    int32_t Anchor = 0;  // where the selection started
    int32_t End = 0;     // the moving end

    int32_t Low() const { return std::min(Anchor, End); }
    int32_t High() const { return std::max(Anchor, End); }
};

// The first and last space of a track inside a selection.
struct TSpaceRun {
    int First = 0;
    int Last = 0;

    int Count() const { return Last - First + 1; }
};

// The spaces from the first starting at or after `low` to the last starting before
// `high`; nothing when the track has no such space.
std::optional<TSpaceRun> SpacesInRange(const TCustomTabDoc& doc, int track, int32_t low, int32_t high);

// The tracks a selection covers: [first, last].
struct TTrackRange {
    int First = 0;
    int Last = 0;
};
TTrackRange SelectedTracks(const TCustomTabDoc& doc, const TSelection& selection, int cursorTrack);

}  // namespace fretlo
