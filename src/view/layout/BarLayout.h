// Horizontal layout of one bar: spaces of all tracks that start at the same time
// stand in one column, and a space that needs more room pushes the rest of the bar
// to the right in every track.
#pragma once

#include "document/Limits.h"
#include "view/layout/LayoutRecords.h"
#include "view/layout/TrackBands.h"
#include "view/layout/ViewMetrics.h"

#include <array>

namespace fretlo {

class TCustomTabDoc;

// Writes the record of every space of bar `bar` in each shown track into
// `spaces[track]` (indexed by space) and returns the bar's record, valid, with X 0.
TBarLayout LayOutBar(TCustomTabDoc& doc, int bar, const TTabMetrics& metrics, const TTrackFilter& shown,
                     const std::array<TSpaceLayout*, MaxTracks>& spaces);

}  // namespace fretlo
