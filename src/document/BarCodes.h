// Bar codes: the bar list of older song files as one code byte per space of track 0.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fretlo {

class TCustomTabDoc;

// Codes in the low four bits; a repeat close carries its count in the high four.
enum TBarCode : uint8_t {
    bcInside = 0,
    bcBarEnd = 1,
    bcRepeatEnd = 2,
    bcRepeatStart = 3,
    bcStaffEnd = 4, // last space of a bar; the next bar begins a new staff line
};
inline constexpr int MaxCodedRepeatCount = 15;

// The codes of the document's bars over `spaceCount` spaces, or nothing when the bars cannot
// be written this way (a taken position, a repeat count above 15, a staff break on the first
// bar, or bars that do not end exactly at the last space, which would not read back).
std::optional<std::vector<uint8_t>> EncodeBarCodes(const TCustomTabDoc& doc, int spaceCount);

// Creates the bars that `codes` describe, from time 0, into a document without bars.
void DecodeBarCodes(TCustomTabDoc& doc, std::span<const uint8_t> codes);

} // namespace fretlo
