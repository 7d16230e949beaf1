#include "playback/TrackEffectHint.h"

#include "base/Errors.h"
#include "document/TrackProps.h"
#include "playback/MidiNames.h"

namespace fretlo {

namespace {

std::string InstrumentLine(const TTrackData& track, uint16_t value) {
    const int program = value & 0x7F;
    const auto& names = track.MidiChannel == PercussionChannel ? DrumKitNames : GmInstrumentNames;
    const std::string ring = (value & InstrumentNoRing) ? "" : "  (Let ring)";
    return Format("Instrument Change: %d - %s%s", program, std::string(names[program]).c_str(), ring.c_str());
}

std::string EffectLine(const TTrackData& track, const TPropNode& node) {
    switch (node.Kind) {
    case pkStrokeDown: return "Stroke Down";
    case pkStrokeUp: return "Stroke Up";
    case pkTempo: return Format("Tempo Change: %d", node.Value());
    case pkInstrument: return InstrumentLine(track, node.Value());
    case pkVolume: return Format("Volume Change: %d", node.Value());
    case pkPan: return Format("Pan Change: %d", node.Value());
    case pkChorus: return Format("Chorus Change: %d", node.Value());
    case pkReverb: return Format("Reverb Change: %d", node.Value());
    case pkModulation: return Format("Modulation Change: %d", node.Value());
    case pkPitchBend: return Format("Pitch Bend Change: %d", node.SignedValue());
    default: return {};
    }
}

}  // namespace

std::string TrackEffectHint(const TTrackData& track, const TSpace& space) {
    std::string hint;
    for (const TPropNode* node = space.Props; node; node = node->Next) {
        const std::string line = EffectLine(track, *node);
        if (line.empty()) continue;
        if (!hint.empty()) hint += '\n';
        hint += line;
    }
    return hint;
}

}  // namespace fretlo
