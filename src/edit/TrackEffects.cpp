#include "edit/TrackEffects.h"

#include "base/Errors.h"
#include "edit/SpaceEdit.h"

namespace fretlo {

namespace {

uint16_t Bits(int value) { return static_cast<uint16_t>(value); }

TPerKind<uint16_t> OwnSettings(const TCustomTabDoc& doc, const TTrackData& t) {
    TPerKind<uint16_t> v{};
    v[pkTempo] = Bits(doc.Tempo);
    v[pkInstrument] = InstrumentEffectValue(t.Instrument & 0x7F, t.LetRing, std::nullopt);
    v[pkVolume] = Bits(t.Volume);
    v[pkPitchBend] = Bits(t.PitchBend);
    v[pkModulation] = Bits(t.Modulation);
    v[pkPan] = Bits(t.Pan);
    v[pkReverb] = Bits(t.Reverb);
    v[pkChorus] = Bits(t.Chorus);
    return v;
}

}  // namespace

TTrackEffectsAt TrackEffectsAt(const TCustomTabDoc& doc, int track, int space) {
    const TTrackData& t = doc.Track(track);
    Check(space >= 0 && space < t.SpaceCount(), "track effects of a space the track does not have");
    TTrackEffectsAt at;
    at.Value = OwnSettings(doc, t);
    at.Bank = t.Bank;
    for (const TPropKind kind : TrackEffectKinds) {
        for (int s = space; s >= 0; --s) {
            const TPropNode* node = FindProp(t.Space(s), kind);
            if (!node) continue;
            at.Value[kind] = node->Value();
            at.OnSpace[kind] = s == space;
            if (s > at.LatestSpace) {
                at.LatestSpace = s;
                at.LatestKind = kind;
            }
            break;
        }
    }
    for (int s = space; s >= 0; --s) {
        const TPropNode* node = FindProp(t.Space(s), pkInstrument);
        if (node && (node->Value() & InstrumentHasBank)) {
            at.Bank = (node->Value() >> 8) & 0x7F;
            break;
        }
    }
    return at;
}

uint16_t InstrumentEffectValue(int program, bool letRing, std::optional<int> bank) {
    Check(program >= 0 && program <= 127 && (!bank || (*bank >= 0 && *bank <= 127)),
          "instrument effect out of range");
    uint16_t value = Bits(program);
    if (!letRing) value |= InstrumentNoRing;
    if (bank) value |= InstrumentHasBank | Bits(*bank << 8);
    return value;
}

bool ApplyTrackEffects(TEditDocument& doc, const TTrackEffectChoice& choice) {
    const TEditCursor c = doc.Host().Cursor();
    const TSpace& space = doc.Track(c.Track).Space(c.Space);
    bool same = true;
    for (const TPropKind kind : TrackEffectKinds) {
        const TPropNode* node = FindProp(space, kind);
        same = same && (node ? std::optional<uint16_t>(node->Value()) : std::nullopt) == choice[kind];
    }
    if (same) return false;
    ChangeCursorSpace(doc, [&choice](TSpace& s) {
        for (const TPropKind kind : TrackEffectKinds) {
            if (choice[kind])
                SetProp(s, kind, *choice[kind]);
            else
                RemoveProp(s, kind);
        }
    });
    return true;
}

}  // namespace fretlo
