// Time at cursor: how long the song plays from its beginning to a space, walking it in
// playing order with every track's tempo changes and the repeats with their counts.
#pragma once

#include "document/TabDoc.h"

#include <cstdint>
#include <string>

namespace fretlo {

// Milliseconds until space `space` of track `track` starts sounding. A space inside a repeated
// section gets the time of its first pass.
uint64_t TimeAtCursor(const TCustomTabDoc& doc, int track, int space);

// "mm:ss.mmm", with as many minute digits as needed (at least two).
std::string FormatTimeAtCursor(uint64_t ms);

// The text of the Time at Cursor message box.
std::string TimeAtCursorMessage(uint64_t ms);

} // namespace fretlo
