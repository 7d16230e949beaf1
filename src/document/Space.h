// The space record: one column of a track, and the checks on it.
#pragma once

#include <cstdint>

#include "document/Limits.h"

namespace fretlo {

struct TPropNode;

// Plain record kept in a flat array; the track owns the `Props` list.
struct TSpace {
    uint8_t Notes[StringSlots];    // note byte per string slot
    uint8_t Effects[StringSlots];  // effect character per string slot, 0 = none
    TPropNode* Props;              // head of the track-effect list, null when none
    uint8_t TopText;
    uint8_t BottomText;
    uint8_t RatioNum;
    uint8_t RatioDen;
};

// An empty space with ratio 1/1.
inline constexpr TSpace EmptySpace{{}, {}, nullptr, 0, 0, 1, 1};

// True for num >= 1, den >= num, den <= 16.
inline constexpr bool IsValidRatio(int num, int den) { return num >= 1 && den >= num && den <= MaxRatioDen; }

// Ratio 1/1: a plain sixteenth, outside every alternate-time region.
inline constexpr bool HasPlainRatio(const TSpace& s) { return s.RatioNum == 1 && s.RatioDen == 1; }
inline constexpr bool SameRatio(const TSpace& a, const TSpace& b) {
    return a.RatioNum == b.RatioNum && a.RatioDen == b.RatioDen;
}

// No notes, effects, text or track effects; with `requirePlainRatio` also ratio 1/1.
bool IsEmptySpace(const TSpace& space, bool requirePlainRatio);

// Zeroes notes, effects and texts and frees the track effects; the ratio stays.
void ClearSpace(TSpace& space);

}  // namespace fretlo
