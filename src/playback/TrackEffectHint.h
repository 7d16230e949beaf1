// The hover hint of the track-effect line: one line per track effect of a space.
#pragma once

#include <string>

#include "document/Space.h"
#include "document/TrackData.h"

namespace fretlo {

// The effects of `space` in list order, one per line; empty when it has none.
std::string TrackEffectHint(const TTrackData& track, const TSpace& space);

}  // namespace fretlo
