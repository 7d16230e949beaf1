#include "edit/EditSelection.h"

#include "document/TabDoc.h"

namespace fretlo {

std::optional<TSpaceRun> SpacesInRange(const TCustomTabDoc& doc, int track, int32_t low, int32_t high) {
    TTrackData& t = doc.Track(track);
    const int32_t* times = t.SpaceTimes();
    const int n = t.SpaceCount();
    const int first = static_cast<int>(std::lower_bound(times, times + n, low) - times);
    const int last = static_cast<int>(std::lower_bound(times, times + n, high) - times) - 1;
    if (first >= n || last < first) return std::nullopt;
    return TSpaceRun{first, last};
}

TTrackRange SelectedTracks(const TCustomTabDoc& doc, const TSelection& selection, int cursorTrack) {
    if (selection.AllTracks) return {0, doc.TrackCount() - 1};
    return {cursorTrack, cursorTrack};
}

}  // namespace fretlo
