// The display settings the tablature view follows, and its two fonts.
#pragma once

#include <string>

namespace fretlo {

struct TViewOptions {
    bool DrawNumbersTransparently = false;  // string lines show through the numbers
    bool HighlightNotes = true;             // sounding notes in the highlight colour
    bool MovingBar = false;                 // a box around the space now playing
    bool TuningAlwaysVisible = true;        // the tuning column stays while scrolling
};

// A font by family name and cell height in pixels.
struct TTabFontSetting {
    std::string Name;
    int Height;
};

inline const TTabFontSetting DefaultTabFont{"Arial", 15};
inline const TTabFontSetting DefaultSmallTabFont{"Arial", 13};

}  // namespace fretlo
