#include "import/PartChoice.h"

#include <algorithm>

#include "base/Errors.h"
#include "playback/TuningPresets.h"

namespace fretlo {

namespace {

constexpr int LowestGuitarKey = 40;  // E2, the open low string of a six-string guitar
constexpr int LowestBassKey = 28;    // E1, of a four-string bass
constexpr int FirstBassProgram = 32, LastBassProgram = 39;
// Notes closer than a sixty-fourth count as struck together.
constexpr int ChordWindowPerQuarter = 16;
// "Few chords": at most one onset in ten holds two notes or more.
constexpr int ChordShareDivisor = 10;

const TTuningPreset& KindPreset(int kind) {
    Check(kind >= 0 && kind < static_cast<int>(TrackKinds().size()), "no such track kind");
    const TTrackKind& k = TrackKinds()[kind];
    const TTuningPreset* first = nullptr;
    for (const TTuningPreset& p : BuiltInTunings()) {
        if (p.StringCount != k.StringCount || p.Variant != k.Variant) continue;
        if (p.IsDefault) return p;
        if (!first) first = &p;
    }
    Check(first != nullptr, "a track kind without presets");
    return *first;
}

bool FewChords(const TMidiPart& part, int division) {
    const int64_t window = std::max(1, division / ChordWindowPerQuarter);
    int onsets = 0, chords = 0;
    for (size_t i = 0; i < part.Notes.size();) {
        size_t j = i + 1;
        while (j < part.Notes.size() && part.Notes[j].Tick - part.Notes[i].Tick < window) ++j;
        ++onsets;
        chords += j - i > 1;
        i = j;
    }
    return chords * ChordShareDivisor <= onsets;
}

}  // namespace

TTuningKeys DefaultTuning(int kind) {
    TTuningKeys keys{};
    const TTuningPreset& p = KindPreset(kind);
    std::copy_n(p.Notes.begin(), p.StringCount, keys.begin());
    return keys;
}

bool ShowsKeyNumbers(int kind) { return KindPreset(kind).ShowNumbers; }

TPartChoice SuggestChoice(const TMidiPart& part, int division) {
    int kind = tkGuitar6;
    const int program = part.FirstProgram();
    const bool bassProgram = program >= FirstBassProgram && program <= LastBassProgram;
    const bool low = part.LowestKey() < LowestGuitarKey;
    const bool fewChords = FewChords(part, division);
    if (part.IsDrums())
        kind = tkDrums;
    else if ((low || bassProgram) && fewChords)
        kind = part.LowestKey() < LowestBassKey ? tkBass5 : tkBass4;
    else if (low)
        kind = tkGuitar7;
    return {true, kind, DefaultTuning(kind)};
}

}  // namespace fretlo
