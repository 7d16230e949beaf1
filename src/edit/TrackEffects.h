// The track effects of one space as the track effects dialog shows and writes them: for
// every kind the value in force there, which kinds stand on the space itself, and the
// change its OK makes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "document/TabDoc.h"
#include "document/TrackProps.h"
#include "edit/EditDocument.h"

namespace fretlo {

// The kinds in the order the dialog looks them up (the first of them wins a tie for the
// latest effect) and writes them.
inline constexpr std::array<TPropKind, MaxPropKind> TrackEffectKinds = {
    pkTempo,     pkInstrument, pkVolume, pkStrokeDown, pkStrokeUp,
    pkPitchBend, pkModulation, pkPan,    pkReverb,     pkChorus};

// One entry per kind, indexed by the kind (entry 0 unused).
template <class T> using TPerKind = std::array<T, MaxPropKind + 1>;

struct TTrackEffectsAt {
    // The nearest effect of the kind at or before the space, else the song's tempo or the
    // track's own setting (an instrument as program | InstrumentNoRing, without a bank).
    TPerKind<uint16_t> Value{};
    TPerKind<bool> OnSpace{};  // an effect of the kind stands on the space itself
    // The bank of the latest instrument effect at or before the space that selects one,
    // else the track's.
    int Bank = 0;
    // The kind of the latest effect at or before the space (0 when there is none) and its space.
    int LatestKind = 0;
    int LatestSpace = -1;

    // The instrument effect on the space selects a bank.
    bool BankOnSpace() const { return OnSpace[pkInstrument] && (Value[pkInstrument] & InstrumentHasBank); }
};
TTrackEffectsAt TrackEffectsAt(const TCustomTabDoc& doc, int track, int space);

// The value of an instrument effect: program 0..127, let ring off adds InstrumentNoRing, a
// bank 0..127 adds InstrumentHasBank | bank << 8.
uint16_t InstrumentEffectValue(int program, bool letRing, std::optional<int> bank);

// What OK leaves on the cursor space: a value for every checked kind, nothing for the others.
using TTrackEffectChoice = TPerKind<std::optional<uint16_t>>;
// Sets every chosen kind on the cursor space and removes every other, under the playback
// lock, recorded as a change of the space (merged with the edits of that space just
// before). A choice the space already holds changes nothing and records nothing; false then.
bool ApplyTrackEffects(TEditDocument& doc, const TTrackEffectChoice& choice);

}  // namespace fretlo
