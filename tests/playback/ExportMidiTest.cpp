// The MIDI file export: its layout byte for byte, the rendering rules note by note, the
// written file, and midicsv reading every song of the tables.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ParamName.h"
#include "ScratchDir.h"
#include "base/Errors.h"
#include "document/TrackProps.h"
#include "export/MidiCsv.h"
#include "export/MidiReader.h"
#include "export/SongBuilder.h"
#include "platform/SafeFile.h"
#include "playback/ExportMidi.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

using TBytes = std::vector<uint8_t>;
using TNotes = std::vector<std::string>;
using TSong = std::unique_ptr<TCustomTabDoc>;

const std::bitset<MaxTracks> AllTracks = std::bitset<MaxTracks>().set();

TBytes Render(TCustomTabDoc& doc, TMidiExportOptions options = {},
              std::bitset<MaxTracks> tracks = AllTracks) {
    return RenderMidiFile(doc, tracks, options);
}

std::vector<TMidiEvent> MetaEvents(const TMidiChunk& chunk, uint8_t type) {
    std::vector<TMidiEvent> out;
    for (const TMidiEvent& e : chunk.Events)
        if (e.IsMeta(type)) out.push_back(e);
    return out;
}

// The events of a chunk after its name and set-up, as raw bytes.
std::vector<TBytes> SongEvents(const TMidiChunk& chunk, size_t setupEvents) {
    std::vector<TBytes> out;
    for (size_t i = 1 + setupEvents; i < chunk.Events.size(); ++i) out.push_back(chunk.Events[i].Bytes);
    return out;
}

constexpr int Fretted(int fret) { return NoteFretBase + fret; }

// `bars` bars of 16 spaces on `tracks` tracks, with notes put as {track, space, string, byte}.
TSong Song(int bars, std::initializer_list<std::array<int, 4>> notes, int tracks = 1) {
    auto doc = MakeSong(bars, 16, tracks);
    for (auto [track, space, string, note] : notes) PutNote(*doc, track, space, string, uint8_t(note));
    return doc;
}

TSong Repeated() {
    auto doc = Song(3, {{0, 0, 0, Fretted(0)}, {0, 16, 0, Fretted(2)}, {0, 32, 0, Fretted(3)}});
    SetRepeat(*doc, 0, 1, 2);
    return doc;
}

// String 1 is first muted before it had a fret (the open string sounds), then while string 0
// sounds its key (no hit).
TSong Muted() {
    return Song(1, {{0, 0, 0, Fretted(5)}, {0, 4, 0, NoteMuted}, {0, 8, 1, NoteMuted},
                    {0, 12, 0, Fretted(5)}, {0, 12, 1, NoteMuted}});
}

TSong Tempo() {
    auto doc = Song(2, {{1, 16, 0, Fretted(0)}, {1, 20, 1, NoteMuted}}, 2);
    SetProp(doc->Track(1).Space(16), pkTempo, 60);
    return doc;
}

// Two open strings, then a third: let ring decides whether the first two stop.
template <bool LetRing> TSong ChordThenNote() {
    auto doc = Song(1, {{0, 0, 0, Fretted(0)}, {0, 0, 1, Fretted(0)}, {0, 4, 2, Fretted(0)}});
    doc->Track(0).LetRing = LetRing;
    return doc;
}

TSong NoRing() {
    auto doc = Song(1, {{0, 0, 0, Fretted(0)}, {0, 4, 1, Fretted(0)}});
    SetProp(doc->Track(0).Space(4), pkInstrument, InstrumentNoRing | 25);
    return doc;
}

TSong Controllers() {
    auto doc = MakeSong(1);
    TSpace& space = doc->Track(0).Space(1);
    SetProp(space, pkModulation, 5);
    SetProp(space, pkReverb, 40);
    SetProp(space, pkChorus, 30);
    SetProp(space, pkPan, 200);  // only the low seven bits count
    SetProp(space, pkStrokeUp, 0);
    return doc;
}

// Transposed by 2; a volume effect, a hammer-on, a stop and a key beyond 127 (not played).
TSong Velocities() {
    auto doc = Song(1, {{0, 0, 0, Fretted(0)}, {0, 4, 1, Fretted(0)}, {0, 8, 2, Fretted(0)},
                        {0, 12, 0, NoteStop}, {0, 12, 3, Fretted(90)}});
    doc->Track(0).Transpose = 2;
    SetProp(doc->Track(0).Space(4), pkVolume, 100);
    doc->Track(0).Space(8).Effects[2] = 'h';
    return doc;
}

TSong Banks() {
    auto doc = Song(1, {{2, 0, 0, Fretted(36)}}, 3);
    doc->Track(0).Bank = 5;
    SetProp(doc->Track(0).Space(2), pkInstrument, 0x8000 | 3 << 8 | 30);
    SetProp(doc->Track(1).Space(3), pkPitchBend, static_cast<uint16_t>(-2400));
    doc->Track(2).MidiChannel = 9;  // a drum track on its fixed channel 10
    return doc;
}

struct TSongCase {
    const char* Name;
    TSong (*Make)();
    TMidiExportOptions Options;
    size_t Chunk;  // the chunk whose notes are checked
    TNotes Notes;  // as NoteList writes them
    uint32_t End;  // the tick of the chunk's end
};

void PrintTo(const TSongCase& c, std::ostream* os) { *os << c.Name; }

const TSongCase SongCases[] = {
    {"RepeatedSectionIsWrittenThreeTimes", Repeated, {}, 1,
     {"0:on:40:96", "768:off:40", "768:on:42:96", "1536:off:42", "1536:on:40:96", "2304:off:40",
      "2304:on:42:96", "3072:off:42", "3072:on:40:96", "3840:off:40", "3840:on:42:96", "4608:off:42",
      "4608:on:43:96", "5376:off:43"},
     5376},
    // 16 ms at tempo 120 are 6 ticks; string 1 had no fret, so its open key 45 sounds.
    {"MutedHitsSoundBriefly", Muted, {false, true}, 1,
     {"0:on:45:96", "192:off:45", "192:on:45:96", "198:off:45", "384:on:45:96", "390:off:45",
      "576:on:45:96", "768:off:45"},
     768},
    {"MutedHitsLeftOutOnlyEndTheNote", Muted, {false, false}, 1,
     {"0:on:45:96", "192:off:45", "576:on:45:96", "768:off:45"}, 768},
    // At tempo 60 a muted hit lasts 3 ticks.
    {"TempoEffectSizesLaterHits", Tempo, {}, 2,
     {"768:on:40:96", "960:on:45:96", "963:off:45", "1536:off:40"}, 1536},
    {"LetRingKeepsTheChord", ChordThenNote<true>, {}, 1,
     {"0:on:40:96", "0:on:45:96", "192:on:50:96", "768:off:50", "768:off:45", "768:off:40"}, 768},
    {"WithoutLetRingANoteSilencesTheChord", ChordThenNote<false>, {}, 1,
     {"0:on:40:96", "0:on:45:96", "192:off:40", "192:off:45", "192:on:50:96", "768:off:50"}, 768},
    {"Controllers", Controllers, {}, 1, {}, 768},
    {"SameKeyOnTwoStringsSoundsOnce", [] { return Song(1, {{0, 0, 0, Fretted(5)}, {0, 4, 1, Fretted(0)}}); },
     {}, 1,
     {"0:on:45:96", "192:off:45", "192:on:45:96", "768:off:45"}, 768},
    {"VolumeAndSoftEffectsSetTheVelocity", Velocities, {}, 1,
     {"0:on:42:96", "192:on:47:100", "384:on:52:85", "576:off:42", "768:off:52", "768:off:47"}, 768},
    {"Banks", Banks, {true, true}, 3, {"0:on:76:96", "768:off:76"}, 768},
};

}  // namespace

TBytes Text(const std::string& s) { return TBytes(s.begin(), s.end()); }

TEST(ExportMidiLayout, EmptyOneBarSongByteForByte) {
    TBytes expected;
    for (const TBytes& part : std::initializer_list<TBytes>{
             {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 0xC0},
             {'M', 'T', 'r', 'k', 0, 0, 0, 19},
             {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08},
             {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},
             {0x00, 0xFF, 0x2F, 0x00},
             {'M', 'T', 'r', 'k', 0, 0, 0, 69},
             {0x00, 0xFF, 0x03, 21},
             Text("Fretlo MIDI - Track 1"),
             {0x00, 0xC0, 27},
             {0x00, 0xB0, 10, 64, 0x00, 0xB0, 91, 0, 0x00, 0xB0, 93, 0, 0x00, 0xB0, 1, 0},
             {0x00, 0xB0, 101, 0, 0x00, 0xB0, 100, 0, 0x00, 0xB0, 6, 24, 0x00, 0xB0, 38, 0},
             {0x00, 0xE0, 0x00, 0x40},
             {0x86, 0x00, 0xFF, 0x2F, 0x00},  // the end of the 768-tick bar
         })
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(Render(*MakeSong(1)), expected);
}

// The song tempo of a damaged song still fits the 24 bits of the conductor's tempo.
TEST(ExportMidiLayout, ConductorTempoIsClampedTo24Bits) {
    auto doc = MakeSong(1);
    doc->Tempo = 0;
    const auto tempo = MetaEvents(ReadMidi(Render(*doc)).Tracks[0], 0x51);
    ASSERT_EQ(tempo.size(), 1u);
    EXPECT_EQ(tempo[0].Bytes, (TBytes{0xFF, 0x51, 0xFF, 0xFF, 0xFF}));
}

TEST(ExportMidiLayout, ChunkPerExportedTrackWithItsChannel) {
    auto doc = MakeSong(1, 16, 4);
    doc->Track(0).MidiChannel = 3;
    doc->Track(1).MidiChannel = 3;  // taken by track 1: silent, not exported
    for (int t = 0; t < 4; ++t) PutFret(*doc, t, 0, 0, 0);
    const auto file = ReadMidi(Render(*doc, {}, std::bitset<MaxTracks>().set(0).set(1).set(3)));
    ASSERT_EQ(file.ChunkCount, 3);
    const auto name = [&](int chunk) {
        const auto& b = file.Tracks[chunk].Events[0].Bytes;
        return std::string(b.begin() + 2, b.end());
    };
    EXPECT_EQ(name(1), "Fretlo MIDI - Track 1");
    EXPECT_EQ(name(2), "Fretlo MIDI - Track 4");
    EXPECT_EQ(file.Tracks[1].Events[1].Bytes[0], 0xC3);
    // Track 3 keeps the channel it plays on although it is not exported; track 4 takes the next.
    EXPECT_EQ(file.Tracks[2].Events[1].Bytes[0], 0xC1);
}

TEST(ExportMidiLayout, NothingCheckedIsRefused) {
    auto doc = MakeSong(1, 16, 2);
    for (const auto flags : {std::bitset<MaxTracks>(), std::bitset<MaxTracks>().set(5)}) {
        try {
            Render(*doc, {}, flags);
            FAIL() << "no error";
        } catch (const EFretloError& e) {
            EXPECT_STREQ(e.what(), "At least one track must be checked.");
        }
    }
}

class ExportMidiSongs : public ::testing::TestWithParam<TSongCase> {};

TEST_P(ExportMidiSongs, WriteTheirNotes) {
    const TSongCase& c = GetParam();
    const auto file = ReadMidi(Render(*c.Make(), c.Options));
    ASSERT_GT(file.Tracks.size(), c.Chunk);
    EXPECT_EQ(NoteList(file.Tracks[c.Chunk]), c.Notes);
    EXPECT_EQ(file.Tracks[c.Chunk].Events.back().Tick, c.End);
}

// An outside parser reads every song as the test's own reader does.
TEST_P(ExportMidiSongs, MidicsvReadsTheSameEvents) {
    if (!MidiCsvInstalled()) GTEST_SKIP() << "midicsv is not installed";
    const TBytes bytes = Render(*GetParam().Make(), GetParam().Options);
    const TCommandRun run = RunMidiCsv(bytes);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_NE(run.Out.find("0, 0, Header, 1, " + std::to_string(ReadMidi(bytes).ChunkCount) + ", 192"),
              std::string::npos);
    EXPECT_EQ(CsvEvents(run.Out), ReaderEvents(ReadMidi(bytes)));
}

INSTANTIATE_TEST_SUITE_P(Songs, ExportMidiSongs, ::testing::ValuesIn(SongCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ExportMidiRendering, TempoEffectStaysInItsTrack) {
    const auto file = ReadMidi(Render(*Tempo()));
    ASSERT_EQ(file.Tracks.size(), 3u);
    EXPECT_EQ(MetaEvents(file.Tracks[0], 0x51).size(), 1u);
    EXPECT_TRUE(MetaEvents(file.Tracks[1], 0x51).empty());
    const auto tempo = MetaEvents(file.Tracks[2], 0x51);
    ASSERT_EQ(tempo.size(), 1u);
    EXPECT_EQ(tempo[0].Tick, 768u);
    EXPECT_EQ(tempo[0].Bytes, (TBytes{0xFF, 0x51, 0x0F, 0x42, 0x40}));
}

TEST(ExportMidiRendering, EffectsComeBetweenTheNotesInKindOrder) {
    auto file = ReadMidi(Render(*NoRing()));
    EXPECT_EQ(SongEvents(file.Tracks[1], 10),
              (std::vector<TBytes>{
                  {0x90, 40, 96}, {0x80, 40, 0}, {0xC0, 25}, {0x90, 45, 96}, {0x80, 45, 0}, {0xFF, 0x2F}}));
    file = ReadMidi(Render(*Controllers()));
    EXPECT_EQ(
        SongEvents(file.Tracks[1], 10),
        (std::vector<TBytes>{{0xB0, 10, 72}, {0xB0, 93, 30}, {0xB0, 91, 40}, {0xB0, 1, 5}, {0xFF, 0x2F}}));
    EXPECT_EQ(file.Tracks[1].Events[11].Tick, 48u);
}

TEST(ExportMidiRendering, BankSelectsOnlyWhenAsked) {
    for (const bool banks : {false, true}) {
        const auto file = ReadMidi(Render(*Banks(), {banks, true}));
        EXPECT_EQ(file.Tracks[1].Events[1].Bytes, banks ? TBytes({0xB0, 0, 5}) : TBytes({0xC0, 27}));
        const size_t setup = banks ? 11 : 10;
        const std::vector<TBytes> withBank{{0xB0, 0, 3}, {0xC0, 30}, {0xFF, 0x2F}};
        const std::vector<TBytes> without{{0xC0, 30}, {0xFF, 0x2F}};
        EXPECT_EQ(SongEvents(file.Tracks[1], setup), banks ? withBank : without);
        // The pitch bend effect of track 2, and the drum track on its fixed channel 10.
        EXPECT_EQ(SongEvents(file.Tracks[2], setup)[0], (TBytes{0xE1, 0, 0}));
        EXPECT_EQ(SongEvents(file.Tracks[3], setup)[0], (TBytes{0x99, 76, 96}));
    }
}

TEST(ExportMidiFile, WritesTheRenderedBytesOrNothing) {
    const TScratchDir dir;
    auto doc = Repeated();
    const std::string name = dir.File("song.mid");
    ExportMidi(*doc, name, AllTracks, false, true);
    EXPECT_EQ(ReadWholeFile(name), Render(*doc));

    EXPECT_THROW(ExportMidi(*doc, dir.File("no-such-folder/song.mid"), AllTracks, false, true), EFretloError);
    EXPECT_THROW(ExportMidi(*doc, name, {}, false, true), EFretloError);
    EXPECT_EQ(ReadWholeFile(name), Render(*doc));  // the refused export left the file alone
}
