// The display settings the tablature view follows, its two fonts and the three print fonts.
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
inline const TTabFontSetting DefaultPrintTitleFont{"Arial", 32};
inline const TTabFontSetting DefaultPrintArtistFont{"Arial", 20};
inline const TTabFontSetting DefaultPrintPageNumberFont{"Arial", 18};

// The view's two fonts and the three print fonts.
struct TTabFontSettings {
    TTabFontSetting Tab = DefaultTabFont;
    TTabFontSetting TabSmall = DefaultSmallTabFont;
    TTabFontSetting PrintTitle = DefaultPrintTitleFont;
    TTabFontSetting PrintArtist = DefaultPrintArtistFont;
    TTabFontSetting PrintPageNumber = DefaultPrintPageNumberFont;
};

}  // namespace fretlo
