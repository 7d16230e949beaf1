#include "document/BarCodes.h"

#include "document/TabDoc.h"

namespace fretlo {

namespace {

// Puts `code` at `pos`; only a staff-line end may replace a plain bar end.
bool PutCode(std::vector<uint8_t>& codes, int pos, uint8_t code) {
    if (pos < 0 || pos >= static_cast<int>(codes.size())) return false;
    uint8_t& slot = codes[static_cast<size_t>(pos)];
    if (slot != bcInside && !(code == bcStaffEnd && slot == bcBarEnd)) return false;
    slot = code;
    return true;
}

} // namespace

std::optional<std::vector<uint8_t>> EncodeBarCodes(const TCustomTabDoc& doc, int spaceCount) {
    std::vector<uint8_t> codes(static_cast<size_t>(spaceCount), bcInside);
    if (doc.SongLength() != int64_t{spaceCount} * UnitsPerSpace) return std::nullopt;
    for (int b = 0; b < doc.BarCount(); ++b) {
        const TBar& bar = doc.Bar(b);
        const int first = bar.Start / UnitsPerSpace;
        const int last = bar.End / UnitsPerSpace - 1;
        if (bar.StaffBreak && (b == 0 || !PutCode(codes, first - 1, bcStaffEnd)))
            return std::nullopt;
        if (bar.RepeatStart && !PutCode(codes, first, bcRepeatStart)) return std::nullopt;
        uint8_t end = bcBarEnd;
        if (bar.RepeatEnd) {
            if (bar.RepeatCount < 0 || bar.RepeatCount > MaxCodedRepeatCount) return std::nullopt;
            end = static_cast<uint8_t>(bcRepeatEnd + 16 * bar.RepeatCount);
        }
        if (!PutCode(codes, last, end)) return std::nullopt;
    }
    return codes;
}

void DecodeBarCodes(TCustomTabDoc& doc, std::span<const uint8_t> codes) {
    const size_t n = codes.size();
    bool pendingBreak = false;
    size_t i = 0;
    while (i < n) {
        uint8_t terminator = bcBarEnd;
        bool opensRepeat = false;
        size_t j = i;
        while (j < n) {
            const uint8_t code = codes[j] & 0x0F;
            if (code == bcBarEnd || code == bcRepeatEnd || code == bcStaffEnd) {
                terminator = code;
                ++j;
                break;
            }
            if (code == bcRepeatStart) {
                if (j > i) break;
                opensRepeat = true;
            }
            ++j;
        }
        const int index = doc.CreateBar(static_cast<int32_t>(i) * UnitsPerSpace,
                                        static_cast<int32_t>(j - i) * UnitsPerSpace, false);
        TBar& bar = doc.Bar(index);
        bar.StaffBreak = pendingBreak;
        pendingBreak = false;
        bar.RepeatStart = opensRepeat;
        if (terminator == bcRepeatEnd) {
            bar.RepeatEnd = 1;
            bar.RepeatCount = codes[j - 1] >> 4;
        } else if (terminator == bcStaffEnd) {
            pendingBreak = true;
        }
        i = j;
    }
}

} // namespace fretlo
