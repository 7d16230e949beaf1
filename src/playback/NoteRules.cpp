#include "playback/NoteRules.h"

#include <algorithm>

#include "document/Limits.h"
#include "document/TrackProps.h"

namespace fretlo {

int SoundingKey(const TTrackData& track, int string, int fret) {
    return track.StringBaseKey(string) + track.Transpose + fret;
}

int NoteVelocity(int trackVelocity, uint8_t effectChar) {
    if (effectChar == '(' || effectChar == 'h' || effectChar == 'p') return trackVelocity * 85 / 100;
    return trackVelocity;
}

uint16_t PitchBendValue(int cents) {
    const int v = cents * 8192 / 2400 + 8192;  // integer division truncates toward 0
    return static_cast<uint16_t>(std::clamp(v, 0, 16383));
}

TInstrumentValue DecodeInstrumentValue(uint16_t value) {
    return {value & 0x7F, (value & InstrumentNoRing) == 0,
            (value & InstrumentHasBank) ? (value >> 8) & 0x7F : -1};
}

}  // namespace fretlo
