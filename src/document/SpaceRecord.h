// The 24-byte outside form of a space record, shared by the undo journal and the clipboard.
#pragma once

#include <cstdint>

#include "document/Space.h"

namespace fretlo {

// Bytes 0-7 notes, 8-15 effects, 16-19 the list reference (written 0, ignored when read),
// 20 top text, 21 bottom text, 22 ratio numerator, 23 ratio denominator.
inline constexpr int SpaceRecordSize = 24;

void WriteSpaceRecord(const TSpace& space, uint8_t* out);
// Fills everything but the track-effect list, which stays as it is.
void ReadSpaceRecord(const uint8_t* in, TSpace& space);

}  // namespace fretlo
