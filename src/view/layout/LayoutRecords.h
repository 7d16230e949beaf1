// The records of the layout cache: one per bar, one per space of each track, one per track band.
#pragma once

#include <cstdint>

namespace fretlo {

struct TBarLayout {
    uint8_t Valid;          // the record is up to date
    int32_t X;              // left edge in song coordinates (before horizontal scrolling)
    int32_t Width;          // whole width, bar line included
    uint16_t BarLineWidth;  // the bar-line area at the right end
    uint16_t BreakExtra;    // 3 when the next bar starts a new staff, else 0
};

struct TSpaceLayout {
    int32_t X;              // left edge relative to the bar's left edge
    int32_t Width;          // PreWidth + ContentWidth + post width
    uint16_t PreWidth;      // room for an effect character written before the number
    uint16_t ContentWidth;  // room for the number, a track-effect letter or a text character
};

// Vertical geometry of one track; all zero for a track that is not shown.
struct TTrackBand {
    int BandTop;
    int BandBottom;
    int BandHeight;
    int TopTextY;
    int StringTop;     // top of the highest string's cell
    int StringBottom;  // StringTop + string count x line height
    int EffectLineY;   // top of the track-effect line
    int BottomTextY;
};

}  // namespace fretlo
