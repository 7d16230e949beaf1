// The fixed limits and units of the song model.
#pragma once

#include <cstdint>

namespace fretlo {

inline constexpr int MaxTracks = 15;
inline constexpr int MaxSpaces = 32000;  // per track
inline constexpr int MaxBars = 32000;    // per song
inline constexpr int StringSlots = 8;    // per track; 4 to 7 are used
inline constexpr int MaxRatioDen = 16;
inline constexpr int MaxFret = 99;

inline constexpr int32_t UnitsPerSpace = 256;  // a sixteenth note
inline constexpr int32_t UnitsPerBeat = 1024;  // a quarter note
inline constexpr int DefaultTempo = 120;

// Note bytes of a space.
inline constexpr uint8_t NoteEmpty = 0;
inline constexpr uint8_t NoteMuted = 17;      // "x"
inline constexpr uint8_t NoteStop = 18;       // "*"
inline constexpr uint8_t NoteFretBase = 128;  // 128 + n is the number n

inline constexpr bool IsFretNote(uint8_t b) { return b >= NoteFretBase && b <= NoteFretBase + MaxFret; }

// MIDI key of each string slot's reference note, slot 0 being the lowest string.
inline constexpr int ReferenceNote[StringSlots] = {40, 45, 50, 55, 59, 64, 0, 0};

// The percussion channel, never assigned automatically.
inline constexpr int PercussionChannel = 9;

}  // namespace fretlo
