// The start of every space of a track, in any unit per plain space: song time (256)
// for the document's cache, MIDI ticks (48) for the file export.
#pragma once

#include "document/Space.h"

#include <cstdint>

namespace fretlo {

// Writes the start of each of the `count` spaces into `starts`, a plain space lasting `unit`,
// and returns the time just after the last space.
int32_t ComputeSpaceStarts(const TSpace* spaces, int count, int32_t unit, int32_t* starts);

} // namespace fretlo
