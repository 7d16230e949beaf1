// Vertical layout: the band of every track, one below the other.
#pragma once

#include "document/Limits.h"
#include "view/layout/LayoutRecords.h"
#include "view/layout/ViewMetrics.h"

#include <array>
#include <bitset>

namespace fretlo {

class TCustomTabDoc;

// Which tracks are laid out; printing may hide some.
using TTrackFilter = std::array<bool, MaxTracks>;
inline constexpr TTrackFilter AllTracksShown = {true, true, true, true, true, true, true, true,
                                                true, true, true, true, true, true, true};

// The filter of a track choice such as the dialogs' check lists make.
inline TTrackFilter ToTrackFilter(const std::bitset<MaxTracks>& tracks) {
    TTrackFilter shown{};
    for (int t = 0; t < MaxTracks; ++t) shown[t] = tracks[t];
    return shown;
}

// Fills one band per track (hidden and absent tracks get zeros) and returns the total height.
int LayOutTrackBands(const TCustomTabDoc& doc, const TTabMetrics& metrics, const TTrackFilter& shown,
                     std::array<TTrackBand, MaxTracks>& bands);

// Top of the cell of string s (0 = the string drawn lowest).
inline int StringCellTop(const TTrackBand& band, const TTabMetrics& m, int s) {
    return band.StringBottom - (s + 1) * m.LineHeight;
}
// The y of the line drawn through string s.
inline int StringLineY(const TTrackBand& band, const TTabMetrics& m, int s) {
    return StringCellTop(band, m, s) + m.LineHeight / 2;
}

}  // namespace fretlo
