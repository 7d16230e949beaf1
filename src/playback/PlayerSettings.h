// The settings and Play-menu states that the player reads while it plays.
#pragma once

namespace fretlo {

struct TPlayerSettings {
    bool MetronomeOn = false;  // the Metronome command is checked
    int MetronomeVolume = 96;
    bool MetronomeAccent = true;  // louder click on the first beat of a bar
    int MetronomeDrum = 37;       // percussion key of the click
    bool SendBankSelects = false;
    bool IgnoreRepeats = false;
};

}  // namespace fretlo
