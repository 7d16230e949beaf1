// The note records of a song file: one per space, 20 bytes from version 107, 16 before.
#pragma once

#include "document/ByteSource.h"

#include <cstdint>
#include <span>
#include <vector>

namespace fretlo {

class TTrackData;

// How part 2's per-space arrays are stored in a given file; one buffer serves them all.
class TArrayReader {
public:
    TArrayReader(int version, bool runLength) : Version(version), RunLength(runLength) {}
    const int Version;
    const bool RunLength;  // false only inside the compressed streams of version 109

    // The next array of `size` bytes, valid until the next call.
    std::span<const uint8_t> Next(TByteSource& in, size_t size);

private:
    std::vector<uint8_t> buffer_;
};

// Reads one track's note records into its spaces; a legacy letter (before 113) adds its
// track effect, and an invalid letter refuses the file.
void ReadNoteRecords(TByteSource& in, TArrayReader& arrays, TTrackData& track);
// Appends one track's 20-byte records, run-length coded; letters only before 114.
void AppendNoteRecords(std::vector<uint8_t>& out, int version, const TTrackData& track);

// The ratio pairs of one track; every pair must be a valid ratio.
void ReadRatios(TByteSource& in, TArrayReader& arrays, TTrackData& track);
void AppendRatios(std::vector<uint8_t>& out, const TTrackData& track);

}  // namespace fretlo
