// Part 1 of a song file: the per-track lists (one value per track, list after list) and the
// song texts, as each version lays them out. The reader and the writer share one table.
#pragma once

#include "document/ByteSource.h"

#include <cstdint>
#include <vector>

namespace fretlo {

class TCustomTabDoc;

// Reads lists 2 to 20 of `version` into the document's tracks (already created with their
// space counts) and texts; refuses values that would index past the model's tables.
void ReadTrackLists(TByteSource& in, int version, bool hasTexts, TCustomTabDoc& doc);

// Appends part 1 in the layout of `version` (111, 112 or 114), texts included.
void AppendTrackLists(std::vector<uint8_t>& out, int version, const TCustomTabDoc& doc);

}  // namespace fretlo
