// The colour roles of the tablature view and the Standard scheme.
#pragma once

#include <array>
#include <cstdint>

namespace fretlo {

enum TTabViewColors {
    tcBkg,              // background
    tcTabLine,          // string lines
    tcBarLine,          // bar lines and repeat signs
    tcText,             // fret numbers
    tcTextEffect,       // effect characters
    tcTextTrackEffect,  // track-effect letters and repeat counts
    tcTextBlankLine,    // text on the top and bottom text lines
    tcTextTuning,       // tuning names
    tcHighlightText,    // fret numbers of the notes now sounding
};
inline constexpr int TabViewColorCount = tcHighlightText + 1;

// A colour as the settings store keeps it: 0x00BBGGRR.
using TColorRef = uint32_t;
using TTabColorTable = std::array<TColorRef, TabViewColorCount>;

inline constexpr uint8_t RedOf(TColorRef c) { return c & 0xFF; }
inline constexpr uint8_t GreenOf(TColorRef c) { return (c >> 8) & 0xFF; }
inline constexpr uint8_t BlueOf(TColorRef c) { return (c >> 16) & 0xFF; }

// A view before any scheme is applied: white background, everything else black.
inline constexpr TTabColorTable DefaultTabColors = {0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0};

// The scheme a new user gets and the one that cannot be modified or deleted.
inline constexpr TTabColorTable StandardScheme = {
    0xFFFFFF,  // background: white
    0xD7D7D7,  // string lines: light grey
    0x000000,  // bar lines: black
    0x000000,  // numbers: black
    0xFF0000,  // effects: blue
    0x808000,  // track effects: teal
    0x800000,  // text lines: navy
    0x000000,  // tuning: black
    0xC0C0C0,  // highlighted numbers: silver
};

}  // namespace fretlo
