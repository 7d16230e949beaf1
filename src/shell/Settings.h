// The program's persistent settings as plain values. A default-constructed TSettings holds
// the defaults of the settings table (SettingsTable.h), the only place defaults are written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "view/TabViewColors.h"
#include "view/ViewOptions.h"

namespace fretlo {

// Page margins for printing, in thousandths of an inch.
struct TPrintMargins {
    int LeftMarginNew = 0;
    int RightMarginNew = 0;
    int TopMarginNew = 0;
    int BottomMarginNew = 0;
};

// The Play menu's practice choices; none of them is stored in a song. The trainer's values
// are kept while it is off, so that turning it on again brings them back.
struct TPracticeSettings {
    bool LoopSelection = false;
    bool CountIn = false;
    int Speed = 0;  // % of the song's tempo
    bool TrainerOn = false;
    int TrainerStart = 0;
    int TrainerStep = 0;
    int TrainerEvery = 0;  // loop passes between two steps
    int TrainerTarget = 0;

    bool operator==(const TPracticeSettings&) const = default;
};

bool operator==(const TTabFontSettings& a, const TTabFontSettings& b);

// Note preview while editing (`PlayNotesWhileEditing`).
enum TPlayNotesMode { pnOff = 0, pnCurrentTrack = 1, pnAllTracks = 2 };

// Device index of the built-in synthesizer in `MIDIDevice`.
inline constexpr int MidiMapperDevice = -1;

struct TSettings {
    TSettings();  // the defaults

    std::string DefaultPath;   // folder the Open and Save As dialogs start in, may begin with "<doc>"
    bool UseSameInst = false;  // a file handed over by a second instance opens here
    bool HideCursorWhilePlaying = false;
    bool DrawNumbersTransparently = false;
    bool HighlightNotes = false;
    bool MovingBar = false;
    bool ScrollABar = false;
    bool MouseWheelVert = false;
    bool MetronomeOn = false;
    bool TuningAlwaysVisible = false;
    bool RewindAfterStop = false;
    int PlayNotesWhileEditing = 0;  // a TPlayNotesMode
    bool MenuBarSpansRow = false;
    bool Maximized2 = false;  // the main window starts maximized
    int MIDIDevice = 0;       // MidiMapperDevice or an ALSA output port index
    int MetronomeVolume = 0;
    bool MetronomeAccent = false;  // accent on the first beat of a bar
    int MetronomeDrum = 0;         // MIDI key of the click
    bool SendBankSelects = false;
    std::string CurrentScheme;  // last chosen colour scheme; empty after editing colours by hand
    std::string SoundFont;      // SoundFont of the built-in synthesizer; empty = the first one found

    TPrintMargins Print;
    TPracticeSettings Practice;
    TTabColorTable Colors{};
    TTabFontSettings Fonts;
    std::vector<uint8_t> ToolbarLayout;  // the main window's own toolbar state; empty = as designed
};

}  // namespace fretlo
