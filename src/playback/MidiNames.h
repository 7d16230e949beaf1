// The names that playback and display show for MIDI numbers: General MIDI instruments,
// drum kits, percussion keys, note names and the octave marks of the tuning control.
#pragma once

#include <array>
#include <string_view>

namespace fretlo {

// Program 0..127.
extern const std::array<std::string_view, 128> GmInstrumentNames;
// Program 0..127 on the percussion channel; empty where the program is no drum kit.
extern const std::array<std::string_view, 128> DrumKitNames;

inline constexpr int FirstDrumKey = 35;
inline constexpr int LastDrumKey = 81;
// The General MIDI percussion key's name; empty outside 35..81.
std::string_view DrumNoteName(int key);

// By pitch class (key mod 12).
extern const std::array<std::string_view, 12> NoteNamesFlat;
extern const std::array<std::string_view, 12> NoteNamesSharp;
// By key div 12; keys 36..47 have no mark.
extern const std::array<std::string_view, 12> OctaveMarks;

}  // namespace fretlo
