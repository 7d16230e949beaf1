// TMidiSong: what the importer takes from a MIDI file: its parts (the notes of one MIDI track
// on one channel), the tempo map and the time signatures. A window over the importer lists
// the parts with their name, channel, instrument, note count and range from here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fretlo {

inline constexpr int MidiDrumChannel = 9;  // shown as channel 10

struct TMidiNote {
    int64_t Tick;  // from the start of the song
    int Key;       // 0..127
};

struct TMidiValueAt {
    int64_t Tick;
    int Value;
};

struct TMidiMeter {
    int64_t Tick;
    int Numerator;
    int DenominatorPower;  // the beat is a whole note divided by 2 to this power
};

struct TMidiPart {
    int MidiTrack;                       // track chunk, from 0
    int Channel;                         // 0..15
    std::string Name;                    // the track name of its MIDI track, printable; may be empty
    std::vector<TMidiNote> Notes;        // note-ons, by tick and then key
    std::vector<TMidiValueAt> Programs;  // program changes on its channel, by tick

    bool IsDrums() const { return Channel == MidiDrumChannel; }
    int FirstProgram() const { return Programs.empty() ? -1 : Programs.front().Value; }
    int LowestKey() const;
    int HighestKey() const;
};

struct TMidiSong {
    int Format = 1;
    int Division = 96;                 // ticks per quarter note
    std::vector<TMidiPart> Parts;      // those with notes, by MIDI track and then channel
    std::vector<TMidiValueAt> Tempos;  // microseconds per quarter note, from every track, by tick
    std::vector<TMidiMeter> Meters;    // time signatures from every track, by tick
};

// Reads a Standard MIDI File; EFretloError with a one-line message when it cannot be read.
TMidiSong ReadMidiSong(std::span<const uint8_t> file);

}  // namespace fretlo
