#include "import/ImportTrack.h"

#include <algorithm>

#include "base/Errors.h"
#include "document/TrackProps.h"
#include "import/FretChooser.h"

namespace fretlo {

namespace {

void ApplyKind(TTrackData& track, const TPartChoice& choice, int program) {
    const TTrackKind& kind = TrackKinds()[choice.Kind];
    track.StringCount = kind.StringCount;
    track.Variant = kind.Variant;
    track.Instrument = program >= 0 ? program : kind.Instrument;
    track.LetRing = kind.LetRing;
    track.MidiChannel = ChannelOfChoice(kind.ChannelChoice);
    track.HighestNumber = kind.HighestNumber;
    track.ShowNumbers = ShowsKeyNumbers(choice.Kind);
    for (int s = 0; s < StringSlots; ++s)
        track.Tuning[s] = s < kind.StringCount ? static_cast<int8_t>(choice.Tuning[s] - ReferenceNote[s]) : 0;
}

TStringSet StringsOf(const TTrackData& track) {
    TStringSet set{track.StringCount, {}, track.HighestNumber, track.Variant == 1 && track.StringCount == 6};
    for (int s = 0; s < track.StringCount; ++s) set.Keys[s] = track.StringBaseKey(s);
    return set;
}

void Count(const TChordPlacing& placing, TTrackReport& report) {
    report.Placed += static_cast<int>(placing.Placed.size());
    report.MovedByOctave += placing.MovedByOctave;
    report.Dropped[drSameKey] += placing.SameKey;
    report.Dropped[drNoFreeString] += placing.NoFreeString;
    report.Dropped[drUnreachable] += placing.Unreachable;
}

// Every note goes to its nearest space; the notes of one space form a chord.
void PlaceNotes(TTrackData& track, const TMidiPart& part, const TSpaceGrid& grid, int spaceCount,
                TTrackReport& report) {
    TFretChooser chooser(StringsOf(track));
    std::vector<int> keys;
    int chordSpace = -1;
    const auto flush = [&] {
        if (keys.empty()) return;
        const TChordPlacing placing = chooser.Place(keys);
        for (const TFretted& f : placing.Placed)
            track.Space(chordSpace).Notes[f.String] = static_cast<uint8_t>(NoteFretBase + f.Fret);
        Count(placing, report);
        keys.clear();
    };
    for (const TMidiNote& note : part.Notes) {
        const auto place = PlaceTick(grid, spaceCount, note.Tick);
        if (!place) {
            ++report.Dropped[drPastEnd];
            continue;
        }
        if (place->Space != chordSpace) flush();
        chordSpace = place->Space;
        keys.push_back(note.Key);
        report.ErrorSum += place->Error;
        report.ErrorMax = std::max(report.ErrorMax, place->Error);
        ++report.Quantised;
    }
    flush();
}

// Later program changes of the part, where they change the sound, as instrument effects that
// keep the track's let-ring setting.
void PlacePrograms(TTrackData& track, const TMidiPart& part, const TSpaceGrid& grid, int spaceCount) {
    int current = track.Instrument;
    for (size_t i = 1; i < part.Programs.size(); ++i) {
        const int program = part.Programs[i].Value;
        const auto place = PlaceTick(grid, spaceCount, part.Programs[i].Tick);
        if (program == current || !place) continue;
        SetProp(track.Space(place->Space), pkInstrument,
                static_cast<uint16_t>(program | (track.LetRing ? 0 : InstrumentNoRing)));
        current = program;
    }
}

}  // namespace

TGroupRatio GroupRatio(TGroupKind kind) {
    switch (kind) {
    case TGroupKind::Triplet: return {2, 3};
    case TGroupKind::ThirtySeconds: return {1, 2};
    default: return {1, 1};
    }
}

void LayGridSpaces(TTrackData& track, const TSpaceGrid& grid, int spaceCount) {
    Check(spaceCount <= grid.SpaceCount(), "more spaces than the grid has");
    track.SetSpaceCount(spaceCount);
    for (const TGridGroup& g : grid.Groups()) {
        const int count = GroupSpaces(g.Kind);
        if (g.Kind == TGroupKind::Plain || g.FirstSpace + count > spaceCount) continue;
        const TGroupRatio r = GroupRatio(g.Kind);
        track.SetRatio(g.FirstSpace, count, r.Num, r.Den);
    }
}

std::optional<TSpaceGrid::TPlace> PlaceTick(const TSpaceGrid& grid, int spaceCount, int64_t tick) {
    const int64_t position = tick * FinePerTick;
    if (!grid.Contains(position)) return std::nullopt;
    const TSpaceGrid::TPlace place = grid.Place(position);
    if (place.Space >= spaceCount) return std::nullopt;
    return place;
}

std::unique_ptr<TTrackData> ImportTrack(const TMidiPart& part, const TPartChoice& choice,
                                        const TSpaceGrid& grid, int spaceCount, TTrackReport& report) {
    auto track = std::make_unique<TTrackData>(false, 1);
    ApplyKind(*track, choice, part.FirstProgram());
    LayGridSpaces(*track, grid, spaceCount);
    PlaceNotes(*track, part, grid, spaceCount, report);
    PlacePrograms(*track, part, grid, spaceCount);
    report.Kind = choice.Kind;
    report.Tuning = choice.Tuning;
    report.Instrument = track->Instrument;
    return track;
}

}  // namespace fretlo
