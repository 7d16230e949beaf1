// A song from the parts of a file: kinds, bars from time signatures, tempo and program
// changes as track effects, the parts chosen, and the limits of a song.
#include <gtest/gtest.h>

#include "ParamName.h"
#include "base/Errors.h"
#include "document/TrackProps.h"
#include "import/ImportFiles.h"
#include "import/ImportMidi.h"
#include "import/KeyNames.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

constexpr int Division = 96;
constexpr int Sixteenth = Division / 4;

TMidiPart Part(int channel, std::vector<TMidiNote> notes, std::vector<TMidiValueAt> programs = {}) {
    return {0, channel, "", std::move(notes), std::move(programs)};
}

// A line of single notes, one every `step` sixteenths from the start.
std::vector<TMidiNote> Line(std::initializer_list<int> keys, int step = 1) {
    std::vector<TMidiNote> notes;
    for (const int k : keys) notes.push_back({int64_t(notes.size()) * step * Sixteenth, k});
    return notes;
}

// The chord `count` times, one a quarter note.
std::vector<TMidiNote> Chords(std::initializer_list<int> keys, int count) {
    std::vector<TMidiNote> notes;
    for (int i = 0; i < count; ++i)
        for (const int k : keys) notes.push_back({i * 4 * Sixteenth, k});
    return notes;
}

TMidiSong SongOf(std::vector<TMidiPart> parts) {
    TMidiSong song;
    song.Division = Division;
    song.Parts = std::move(parts);
    return song;
}

struct TKindCase {
    const char* Name;
    TMidiPart Part;
    int Kind;
};

[[maybe_unused]] void PrintTo(const TKindCase& row, std::ostream* os) { *os << row.Name; }

class Kinds : public ::testing::TestWithParam<TKindCase> {};

}  // namespace

TEST_P(Kinds, FollowTheRangeAndTheChords) {
    EXPECT_EQ(SuggestChoice(GetParam().Part, Division).Kind, GetParam().Kind);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, Kinds,
    ::testing::Values(TKindCase{"Drums", Part(9, Line({36, 38})), tkDrums},
                      TKindCase{"LowLine", Part(0, Line({28, 33, 38, 50})), tkBass4},
                      TKindCase{"BelowE1", Part(0, Line({24, 31, 36})), tkBass5},
                      TKindCase{"BassProgramHigh", Part(0, Line({45, 52, 57}), {{0, 33}}), tkBass4},
                      TKindCase{"LowChords", Part(0, Chords({38, 45, 50}, 4)), tkGuitar7},
                      TKindCase{"GuitarLine", Part(0, Line({52, 64, 76})), tkGuitar6},
                      TKindCase{"BassProgramChords", Part(0, Chords({45, 52}, 4), {{0, 33}}), tkGuitar6}),
    PrintedName());

// 3/4 from the start, 2/4 from the third bar; a tempo change and a program change in bar 2.
TEST(Import, BarsTempoAndProgramsBecomeTheSongsOwn) {
    TMidiSong song = SongOf({Part(0, Line({28, 31, 33, 35, 36}, 6), {{0, 34}, {12 * Sixteenth, 35}}),
                             Part(9, Line({36, 38, 42}, 4))});
    song.Meters = {{0, 3, 2}, {24 * Sixteenth, 2, 2}};
    song.Tempos = {{0, 500000}, {0, 600000}, {12 * Sixteenth, 400000}, {12 * Sixteenth, 400000}};
    TCustomTabDoc doc;
    const TImportReport report = ImportMidi(song, "riff", {}, doc);
    EXPECT_EQ(doc.Tempo, 100);
    ASSERT_EQ(doc.BarCount(), 3);
    EXPECT_EQ(doc.Bar(1).Start, 12 * UnitsPerSpace);
    EXPECT_EQ(doc.Bar(2).End - doc.Bar(2).Start, 8 * UnitsPerSpace);
    ASSERT_EQ(doc.TrackCount(), 2);
    TTrackData& bass = doc.Track(0);
    EXPECT_EQ(bass.Instrument, 34);
    EXPECT_EQ(FindProp(bass.Space(12), pkTempo)->Value(), 150);
    EXPECT_EQ(FindProp(bass.Space(12), pkInstrument)->Value(), 35 | InstrumentNoRing);
    EXPECT_EQ(TrackNotes(doc, 0), (std::vector<std::pair<int32_t, int>>{
                                      {0, 28}, {1536, 31}, {3072, 33}, {4608, 35}, {6144, 36}}));
    EXPECT_EQ(doc.Track(1).MidiChannel, MidiDrumChannel);
    EXPECT_TRUE(doc.Track(1).ShowNumbers);
    EXPECT_EQ(report.TempoChanges, 1);
}

TEST(Import, PartsBeyondFifteenAreLeftOutUnlessChosen) {
    std::vector<TMidiPart> parts;
    for (int i = 0; i < 16; ++i) parts.push_back(Part(i == 9 ? 0 : i, Line({60 + i})));
    const TMidiSong song = SongOf(parts);
    TCustomTabDoc doc;
    const TImportReport report = ImportMidi(song, "many", {}, doc);
    EXPECT_EQ(doc.TrackCount(), MaxTracks);
    EXPECT_EQ(report.LeftOut, std::vector<int>{15});

    TImportOptions options;
    options.Parts.assign(16, SuggestChoice(song.Parts[0], Division));
    EXPECT_THROW(ImportMidi(song, "many", options, doc), EFretloError);
    for (TPartChoice& c : options.Parts) c.Import = false;
    EXPECT_THROW(ImportMidi(song, "many", options, doc), EFretloError);
    EXPECT_THROW(ImportMidi(SongOf({}), "none", {}, doc), EFretloError);
}

// Thirty-seconds all through would need more spaces than a track holds: the song ends at the
// last bar that fits, and what lies beyond is counted.
TEST(Import, SongsEndWithinTheSpacesOfATrack) {
    std::vector<TMidiNote> notes;
    for (int64_t tick = 0; tick < 20000 * Sixteenth; tick += Sixteenth / 2) notes.push_back({tick, 64});
    notes.push_back({int64_t{1} << 40, 64});
    TImportOptions options;
    options.Grid.ThirtySeconds = true;
    TCustomTabDoc doc;
    const TImportReport report = ImportMidi(SongOf({Part(0, notes)}), "long", options, doc);
    EXPECT_EQ(doc.Track(0).SpaceCount(), MaxSpaces);
    EXPECT_EQ(doc.SongLength(), MaxSpaces / 2 * UnitsPerSpace);
    EXPECT_EQ(report.Placed(), MaxSpaces);
    EXPECT_EQ(report.Dropped(drPastEnd), static_cast<int>(notes.size()) - MaxSpaces);
}

TEST(KeyNames, ReadAsMusiciansWriteThem) {
    EXPECT_EQ(ParseKeyName("E2"), 40);
    EXPECT_EQ(ParseKeyName("f#3"), 54);
    EXPECT_EQ(ParseKeyName("Bb1"), 34);
    EXPECT_EQ(ParseKeyName("C-1"), 0);
    EXPECT_EQ(ParseKeyName("64"), 64);
    for (const char* bad : {"", "H2", "E", "A9", "128", "E2x"})
        EXPECT_EQ(ParseKeyName(bad), std::nullopt) << bad;
    EXPECT_EQ(KeyName(61), "C#4");
}
