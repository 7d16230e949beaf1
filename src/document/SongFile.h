// Song files (.frl): a 64-byte header and a body of two parts, each normally a zlib stream.
// TCustomTabDoc::LoadFromFile and SaveToFile (TabDoc.h) are built from these pieces:
//   SongHeader.h     the header, its CRC-32 and size checks
//   SongTrackLists.h part 1: per-track lists and song texts
//   SongNotes.h      part 2: note records and ratio pairs
//   BarCodes.h       the bar list of versions up to 111
//   RunLength.h      the run-length layer of the per-space arrays
//   ZlibStreams.h    inflating with a budget, deflating at level 9
//   SongVersion.h    the version the saver chooses
//   SongMessages.h   the fixed messages of the reader
#pragma once

#include "document/SongHeader.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fretlo {

class TCustomTabDoc;

inline constexpr const char* SongFileExtension = ".frl";
// Bars of a new song, and of the song a failed load leaves behind.
inline constexpr int NewSongBarSpaces = 16;

// Reads the body of a file whose header was checked into a document without tracks or bars.
void ReadSongBody(TCustomTabDoc& doc, const TSongHeader& header, std::span<const uint8_t> file);

// The complete file of a document, in the lowest version that holds it; the document is
// not changed.
std::vector<uint8_t> BuildSongFile(const TCustomTabDoc& doc);

// LoadFromFile that also gives the version byte of the file's header (for inspectors).
int LoadSongFile(TCustomTabDoc& doc, const std::string& path);

// The absolute form of a path, without following links; unchanged when it cannot be formed.
std::string FullSongPath(const std::string& path);

}  // namespace fretlo
