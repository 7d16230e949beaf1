// Exporting a song as MIDI and importing the file gives every note back at its time and pitch:
// random songs of guitars, basses and drums from fixed seeds, with and without triplet
// regions, and the demo songs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "import/ImportFiles.h"
#include "import/ImportMidi.h"
#include "import/PartChoice.h"
#include "playback/ExportMidi.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

const std::bitset<MaxTracks> AllTracks = std::bitset<MaxTracks>().set();
constexpr int Bars = 6;

using TNoteSet = std::set<std::pair<int32_t, int>>;

TNoteSet NoteSet(TCustomTabDoc& doc, int track) {
    const auto notes = TrackNotes(doc, track);
    return TNoteSet(notes.begin(), notes.end());
}

// A track of the kind with its default tuning; beat halves become triplets with the given odds.
// Basses play single notes, so that they are taken for basses again.
std::unique_ptr<TTrackData> RandomTrack(std::mt19937& random, int kind, double tripletOdds) {
    const TTrackKind& k = TrackKinds()[kind];
    auto track = std::make_unique<TTrackData>(false, 1);
    track->StringCount = k.StringCount;
    track->Variant = k.Variant;
    track->Instrument = k.Instrument;
    track->MidiChannel = ChannelOfChoice(k.ChannelChoice);
    const TTuningKeys tuning = DefaultTuning(kind);
    for (int s = 0; s < k.StringCount; ++s)
        track->Tuning[s] = static_cast<int8_t>(tuning[s] - ReferenceNote[s]);
    std::vector<bool> triplet(Bars * 8);
    int spaces = 0;
    for (size_t half = 0; half < triplet.size(); ++half) {
        triplet[half] = std::bernoulli_distribution(tripletOdds)(random);
        spaces += triplet[half] ? 3 : 2;
    }
    track->SetSpaceCount(spaces);
    for (int half = 0, first = 0; half < static_cast<int>(triplet.size()); first += triplet[half++] ? 3 : 2)
        if (triplet[half]) track->SetRatio(first, 3, 2, 3);
    const int maxStrings = kind == tkBass4 ? 1 : 3;
    for (int i = 0; i < spaces; ++i) {
        if (!std::bernoulli_distribution(0.4)(random) && i != 0) continue;
        const int strings = std::uniform_int_distribution(1, maxStrings)(random);
        for (int n = 0; n < strings; ++n) {
            const int s = std::uniform_int_distribution(0, k.StringCount - 1)(random);
            track->Space(i).Notes[s] =
                static_cast<uint8_t>(NoteFretBase + std::uniform_int_distribution(0, 12)(random));
        }
    }
    return track;
}

void MakeRandomSong(TCustomTabDoc& doc, unsigned seed, double tripletOdds) {
    std::mt19937 random(seed);
    doc.New(16);
    doc.FreeTracks();
    doc.ClearBars();
    doc.LayOutBars(false, 0, 16, Bars * 16 * UnitsPerSpace);
    doc.Tempo = std::uniform_int_distribution(40, 240)(random);
    for (const int kind : {tkGuitar6, tkBass4, tkDrums, tkGuitar7})
        if (kind == tkGuitar6 || std::bernoulli_distribution(0.5)(random))
            doc.AddTrack(RandomTrack(random, kind, tripletOdds));
}

TImportReport ImportExported(TCustomTabDoc& song, TCustomTabDoc& imported) {
    const std::vector<uint8_t> midi = RenderMidiFile(song, AllTracks, {});
    return ImportMidi(ReadMidiSong(midi), "again", {}, imported);
}

class RandomSongs : public ::testing::TestWithParam<double> {};

}  // namespace

TEST_P(RandomSongs, GiveEveryNoteBack) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        TCustomTabDoc song, imported;
        MakeRandomSong(song, seed, GetParam());
        const TImportReport report = ImportExported(song, imported);
        ASSERT_EQ(imported.TrackCount(), song.TrackCount()) << "seed " << seed;
        EXPECT_EQ(imported.Tempo, song.Tempo);
        // Only unisons on two strings of one space are merged.
        EXPECT_EQ(report.Dropped() - report.Dropped(drSameKey) + report.MovedByOctave(), 0)
            << "seed " << seed;
        for (int t = 0; t < song.TrackCount(); ++t) {
            EXPECT_EQ(imported.Track(t).StringCount, song.Track(t).StringCount) << "seed " << seed;
            EXPECT_EQ(NoteSet(imported, t), NoteSet(song, t)) << "seed " << seed << " track " << t;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Triplets, RandomSongs, ::testing::Values(0.0, 0.3),
                         [](const auto& info) { return info.param > 0 ? "WithTriplets" : "Plain"; });

// The demo songs have repeats and a muted string, so the imported song is checked against the
// exported file: it exports to the same note-ons again.
TEST(RoundTrip, DemoSongsExportTheirNotesAgain) {
    for (const char* name : {"Demo.frl", "Drum Demo.frl"}) {
        TCustomTabDoc demo, imported;
        demo.LoadFromFile(std::string(FRETLO_DEMO_DIR) + "/" + name);
        ImportExported(demo, imported);
        const TMidiSong before = ReadMidiSong(RenderMidiFile(demo, AllTracks, {}));
        const TMidiSong after = ReadMidiSong(RenderMidiFile(imported, AllTracks, {}));
        ASSERT_EQ(after.Parts.size(), before.Parts.size()) << name;
        for (size_t p = 0; p < before.Parts.size(); ++p) {
            const auto ons = [](const TMidiPart& part) {
                std::set<std::pair<int64_t, int>> s;
                for (const TMidiNote& n : part.Notes) s.insert({n.Tick, n.Key});
                return s;
            };
            EXPECT_EQ(ons(after.Parts[p]), ons(before.Parts[p])) << name << " part " << p;
        }
    }
}
