// Saving and loading back: the version the saver chooses and everything a song holds.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "ParamName.h"
#include "ScratchDir.h"
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/DocTestUtil.h"
#include "document/SongFile.h"
#include "document/SongFileBytes.h"

namespace fretlo::test {
namespace {

// Two tracks with every setting away from its default, notes, effect characters, texts and
// track effects that a single letter can hold.
void BuildRichSong(TCustomTabDoc& doc) {
    doc.New(16);
    doc.Tempo = 132;
    doc.Title = "T\xe9tle";
    doc.Artist = "Artist";
    doc.Album = "Album";
    doc.Transcriber = "Me";
    doc.Comments = "line 1\r\nline 2";
    TTrackData& g = doc.Track(0);
    g.StringCount = 7;
    g.Instrument = 30;
    g.LetRing = false;
    g.LegacyValue = 3;
    g.Volume = 90;
    g.Pan = 20;
    g.Reverb = 40;
    g.Chorus = 50;
    g.MidiChannel = 3;
    g.HighestNumber = 22;
    g.Transpose = -2;
    g.Bank = 5;
    g.TopTextLine = true;
    g.ShowNumbers = true;
    for (int s = 0; s < 7; ++s) g.Tuning[s] = static_cast<int8_t>(s - 3);
    g.Space(0).Notes[0] = NoteFretBase + 3;
    g.Space(0).Effects[0] = 'h';
    g.Space(5).Notes[6] = NoteMuted;
    g.Space(5).TopText = 'A';
    g.Space(6).BottomText = 'z';
    g.Space(2047).Notes[2] = NoteFretBase + 99;
    SetProp(g.Space(1), pkTempo, 300);
    SetProp(g.Space(3), pkInstrument, 0x85);
    SetProp(g.Space(4), pkStrokeDown, 0);
    auto drums = std::make_unique<TTrackData>(false, 2048);
    drums->Variant = 1;
    drums->MidiChannel = PercussionChannel;
    drums->BottomTextLine = true;
    drums->Space(7).Notes[1] = NoteFretBase + 38;
    SetProp(drums->Space(8), pkVolume, 77);
    doc.AddTrack(std::move(drums));
    doc.Bar(1).RepeatStart = 1;
    doc.Bar(2).RepeatEnd = 1;
    doc.Bar(2).RepeatCount = 3;
    doc.Bar(4).StaffBreak = 1;
}

struct TVersionCase {
    const char* name;
    std::function<void(TCustomTabDoc&)> change;
    int version;
    bool ratios;
};

FRETLO_PRINT_AS_NAME(TVersionCase)

class SongFileVersionChoice : public ::testing::TestWithParam<TVersionCase> {};

TEST_P(SongFileVersionChoice, SavesTheLowestVersionThatHoldsTheSongAndReadsItBack) {
    TCustomTabDoc doc;
    BuildRichSong(doc);
    GetParam().change(doc);
    const TBytes file = BuildSongFile(doc);
    EXPECT_EQ(GetParam().version, file[3]);
    EXPECT_EQ(GetParam().ratios ? 11 + 16 : 11, file[11]);
    EXPECT_EQ(3, file[6]);  // the length of the version text that follows
    EXPECT_EQ(GetParam().version == 111 ? "1.6" : "2.0", std::string(file.begin() + 7, file.begin() + 10));
    TCustomTabDoc back;
    back.LoadFromBytes(file, "/songs/x.frl");
    ExpectSameSong(doc, back);
}

void AddUnevenTrack(TCustomTabDoc& doc) { doc.AddTrack(std::make_unique<TTrackData>(false, 1000)); }

const TVersionCase VersionCases[] = {
    {"Plain", [](TCustomTabDoc&) {}, 111, false},
    {"RepeatCount15", [](TCustomTabDoc& d) { d.Bar(2).RepeatCount = 15; }, 111, false},
    {"UnevenSpaceCounts", AddUnevenTrack, 112, false},
    {"Ratio", [](TCustomTabDoc& d) { d.Track(1).SetRatio(16, 3, 2, 3); }, 112, true},
    {"RepeatCount16", [](TCustomTabDoc& d) { d.Bar(2).RepeatCount = 16; }, 112, false},
    {"StaffBreakOnFirstBar", [](TCustomTabDoc& d) { d.Bar(0).StaffBreak = 1; }, 112, false},
    {"StaffBreakAfterRepeatClose", [](TCustomTabDoc& d) { d.Bar(3).StaffBreak = 1; }, 112, false},
    {"OneSpaceBarOpeningRepeat",
     [](TCustomTabDoc& d) {
         d.CreateBar(d.Bar(6).Start + UnitsPerSpace, UnitsPerSpace, false);
         d.Bar(6).RepeatStart = 1;
     },
     112, false},
    {"BarsEndBeforeLastSpace", [](TCustomTabDoc& d) { d.DeleteBar(d.BarCount() - 1, false); }, 112, false},
    {"TwoEffectsOnOneSpace", [](TCustomTabDoc& d) { SetProp(d.Track(0).Space(1), pkPan, 9); }, 114, false},
    {"Modulation", [](TCustomTabDoc& d) { d.Track(1).Modulation = 20; }, 114, false},
    {"PitchBend", [](TCustomTabDoc& d) { d.Track(0).PitchBend = -1200; }, 114, false},
    {"PitchBendEffect", [](TCustomTabDoc& d) { SetProp(d.Track(1).Space(9), pkPitchBend, 0xFF38); }, 114,
     false},
    {"InstrumentWithBank",
     [](TCustomTabDoc& d) { SetProp(d.Track(0).Space(3), pkInstrument, InstrumentHasBank | 0x0305); }, 114,
     false},
    {"EverythingAtOnce",
     [](TCustomTabDoc& d) {
         AddUnevenTrack(d);
         d.Track(0).SetRatio(100, 5, 4, 5);
         d.Track(2).Modulation = 1;
     },
     114, true}};

INSTANTIATE_TEST_SUITE_P(Cases, SongFileVersionChoice, ::testing::ValuesIn(VersionCases), PrintedName());

// One bar of one space on one track: the smallest song, whose bytes the layout fixes.
void BuildOneSpaceSong(TCustomTabDoc& doc) {
    doc.New(16);
    doc.FreeTracks();
    doc.ClearBars();
    doc.CreateBar(0, UnitsPerSpace, false);
    doc.AddTrack(std::make_unique<TTrackData>(false, 1));
    doc.Track(0).Space(0).Notes[0] = NoteFretBase + 3;
}

TBytes InflatedPart2(const TBytes& file) {
    const size_t part1 = GetU32(file.data() + 48);
    TBytes out(4096);
    uLongf size = out.size();
    EXPECT_EQ(Z_OK, uncompress(out.data(), &size, file.data() + 64 + part1,
                               static_cast<uLong>(file.size() - 64 - part1)));
    out.resize(size);
    return out;
}

TEST(SongFileLayout, OneFretOnOneSpaceIsASingleRunLengthBlock) {
    TCustomTabDoc doc;
    BuildOneSpaceSong(doc);
    const TBytes file = BuildSongFile(doc);
    ASSERT_EQ(111, file[3]);
    EXPECT_EQ(1, GetU16(file.data() + 42));  // the space count of version 111
    // Bar codes (one code 1), then the note array: 1 x 0x83, 19 x 0.
    EXPECT_EQ(TBytes({1, 0, 1, 1, 2, 0, 1, 0x83, 19, 0}), InflatedPart2(file));
}

TEST(SongFileLayout, LargeTempoUsesBothHeaderFieldsAndLetterSmallT) {
    TCustomTabDoc doc;
    BuildOneSpaceSong(doc);
    doc.Tempo = 300;
    SetProp(doc.Track(0).Space(0), pkTempo, 300);
    const TBytes file = BuildSongFile(doc);
    EXPECT_EQ(250, file[4]);
    EXPECT_EQ(300, GetU16(file.data() + 46));
    EXPECT_EQ(TBytes({1, 0, 1, 1, 5, 0, 1, 0x83, 15, 0, 1, 't', 2, 0, 1, 50}), InflatedPart2(file));
    TCustomTabDoc back;
    back.LoadFromBytes(file, "/x.frl");
    EXPECT_EQ(300, back.Tempo);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{pkTempo, 300}}), PropsOf(back.Track(0).Space(0)));
}

TEST(SongFileLayout, HeaderChecksMatchTheFile) {
    TCustomTabDoc doc;
    BuildRichSong(doc);
    TBytes file = BuildSongFile(doc);
    const TBytes saved = file;
    TOldFile::Seal(file);
    EXPECT_EQ(saved, file);
    EXPECT_EQ(0, file[12]);
    EXPECT_EQ(doc.LastUsedSpace(0, true), GetU16(file.data() + 44));
}

// Through the disk: the save stores the full name and clears the modified flag and the
// journal; the load replaces the document and tells its listeners.
TEST(SongFileSaveAndLoad, StoreTheFullNameAndResetTheDocument) {
    TScratchDir dir;
    TCountingDoc source;
    BuildRichSong(source);
    source.BeginGroup(ukChangesToSpace);
    source.SaveSpaces(0, 0, 1);
    source.EndGroup();
    const int resets = source.resets;
    const std::string old = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Path());
    source.SaveToFile("sub/../song.frl");
    std::filesystem::current_path(old);
    EXPECT_EQ(dir.File("song.frl"), source.FileName);
    EXPECT_FALSE(source.Modified);
    EXPECT_TRUE(source.Journal().Empty());
    EXPECT_EQ(resets + 1, source.resets);
    EXPECT_EQ(BuildSongFile(source), ReadFileBytes(dir.File("song.frl")));

    TCountingDoc doc;
    doc.New(16);
    TRecordingListener listener;
    doc.AddListener(&listener);
    doc.MarkModified();
    doc.LoadFromFile(dir.File("song.frl"));
    ExpectSameSong(source, doc);
    EXPECT_EQ(dir.File("song.frl"), doc.FileName);
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(1, listener.replaced);
    EXPECT_EQ(3, doc.resets);  // New, the reset before reading, and after storing the name
}

TEST(SongFileLoad, MissingFileNamesTheSystemError) {
    TScratchDir dir;
    TCustomTabDoc doc;
    doc.New(16);
    try {
        doc.LoadFromFile(dir.File("none.frl"));
        FAIL();
    } catch (const EFretloError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("No such file or directory"));
        EXPECT_NE(std::string::npos, std::string(e.what()).find("none.frl"));
    }
    EXPECT_EQ(2048, doc.Track(0).SpaceCount());
}

}  // namespace
}  // namespace fretlo::test
