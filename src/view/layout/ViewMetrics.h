// The measures the tablature layout works with, derived from per-character width tables.
// The widget fills the tables from its fonts; tests fill them by hand.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace fretlo {

// One font as the layout sees it: its configured cell height and the width of
// every single-byte character.
struct TFontWidths {
    int Height = 0;
    std::array<uint16_t, 256> Char{};

    int Width(uint8_t c) const { return Char[c]; }
    // Width of a text as the sum of its characters' widths.
    int TextWidth(std::string_view text) const;
};

struct TTabMetrics {
    int LineHeight = 0;  // one string cell or text line
    int FontHeight = 0;  // configured Normal height; text is centred by (LineHeight - FontHeight) / 2
    int SmallFontHeight = 0;
    int EffectLineHeight = 0;  // the track-effect line below the strings
    int TrackMargin = 0;       // empty band above and below every track
    int SpaceWidth = 0;        // minimum width of a space
    int WideSpaceWidth = 0;    // width of a space holding a two-digit fret
    int TuningColumnWidth = 0;
    int RepeatDigitWidth = 0;  // widest Small digit, for repeat counts
    TFontWidths Normal;
    TFontWidths Small;
};

TTabMetrics ComputeMetrics(const TFontWidths& normal, const TFontWidths& small);

}  // namespace fretlo
