// The kind (one of TrackKinds()) and tuning a part becomes, and the choice the importer
// suggests for a part.
#pragma once

#include <array>
#include <cstdint>

#include "import/MidiSong.h"
#include "playback/TrackKinds.h"

namespace fretlo {

// Index of each kind in TrackKinds().
enum TTrackKindIndex { tkBass4, tkBass5, tkBanjo, tkGuitar6, tkDrums, tkGuitar7 };

using TTuningKeys = std::array<uint8_t, 7>;  // absolute keys, string 0 (the lowest) first

// The kind's default built-in preset, or its first when none is the default.
TTuningKeys DefaultTuning(int kind);
// Whether the strings of a kind are labelled with key numbers (the drum presets).
bool ShowsKeyNumbers(int kind);

// How one part becomes a track; a window over the importer edits these.
struct TPartChoice {
    bool Import = true;
    int Kind = tkGuitar6;  // index into TrackKinds()
    TTuningKeys Tuning{};
};

// Drums on channel 10; a bass for a low part (below E2) or a bass program with few chords,
// five strings when it goes below E1; a seven-string guitar for low chords; else six strings.
TPartChoice SuggestChoice(const TMidiPart& part, int division);

}  // namespace fretlo
