// How the song's bytes become MIDI: note numbers, velocity, instrument values, pitch bend.
// Shared by the player and the MIDI file writer so that both sound the same.
#pragma once

#include <cstdint>

#include "document/TrackData.h"
#include "platform/MidiOut.h"

namespace fretlo {

inline constexpr int PitchBendRangeSemitones = 24;

// Key of fret `fret` on string slot `string`; may lie outside 0..127 (then it is not played).
int SoundingKey(const TTrackData& track, int string, int fret);

// The note-on velocity: hammer-on, pull-off and soft notes sound at 85 %.
int NoteVelocity(int trackVelocity, uint8_t effectChar);

// The 14-bit pitch-bend value of a bend in cents (range 24 semitones), centre 8192.
uint16_t PitchBendValue(int cents);

// The meaning of an instrument track effect's value.
struct TInstrumentValue {
    int Program;   // bits 0-6
    bool LetRing;  // bit 7 clear
    int Bank;      // bits 8-14 when bit 15 is set, else -1
};
TInstrumentValue DecodeInstrumentValue(uint16_t value);

}  // namespace fretlo
