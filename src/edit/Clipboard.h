// The clipboard block of copied spaces, built and read as bytes. All integers are
// 32-bit little-endian: 0, the space record size (24), the track count N, the length L
// of the copied stretch in time units, N space counts, then per track its space records,
// a 4-byte length P and P bytes of streamed track effects.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace fretlo {

// The MIME type under which the block travels on the system clipboard.
inline constexpr const char* ClipboardMimeType = "WinFretlo/200c";

// One track's part of a block.
struct TClipTrack {
    std::vector<uint8_t> Spaces;  // 24-byte space records
    std::vector<uint8_t> Props;   // streamed track effects of those spaces

    int SpaceCount() const;
};

struct TClipBlock {
    int32_t Length = 0;  // time units, a positive multiple of 256
    std::vector<TClipTrack> Tracks;
};

std::vector<uint8_t> EncodeClipBlock(const TClipBlock& block);

// The block, or nothing when the bytes are not a block this version can paste: another
// record size, lengths that disagree with the data, invalid ratios or track effects, or
// a track whose spaces do not last L.
std::optional<TClipBlock> DecodeClipBlock(const std::vector<uint8_t>& bytes);

}  // namespace fretlo
