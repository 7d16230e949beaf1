// Files of the older versions, built byte by byte, and what the reader makes of them.
#include <gtest/gtest.h>

#include "ParamName.h"
#include "document/DocTestUtil.h"
#include "document/SongFile.h"
#include "document/SongFileBytes.h"

namespace fretlo::test {
namespace {

constexpr int OldSpaces = 4000;

// Bar codes over track 0: [0,16), [16,32) opening and closing a repeat of 3, [32,48) ending a
// staff line, [48,end) on the new line.
TBytes OldBarCodes() {
    TBytes codes(OldSpaces, 0);
    codes[15] = 1;
    codes[16] = 3;
    codes[31] = 2 | (3 << 4);
    codes[47] = 4;
    return codes;
}

TBytes OldNotes(bool old, bool drums) {
    TBytes notes;
    for (int i = 0; i < OldSpaces; ++i) {
        if (!drums && i == 0)
            Append(notes, NoteRecord(old, {{0, NoteFretBase + 5}}, 0, 0, 0, 0, {{0, 'h'}}));
        else if (!drums && i == 1)
            Append(notes, NoteRecord(old, {}, 0, 0, 'x'));
        else if (!drums && i == 3)
            Append(notes, NoteRecord(old, {}, 'V', 90));
        else if (drums && i == 2)
            Append(notes, NoteRecord(old, {{5, NoteMuted}}, 'D', 0, 0, 'q'));
        else
            Append(notes, NoteRecord(old, {}));
    }
    return notes;
}

// A guitar track with every setting away from its default and a drum track, with texts.
TBytes OldFileBytes(int version, bool compressed) {
    TOldTrack guitar{.InstrumentByte = 0x80 | 26, .Legacy = 9, .Volume = 101, .Transpose = -3, .Bank = 2};
    guitar.Reverb = 33;
    guitar.Chorus = 44;
    guitar.Pan = 10;
    guitar.Highest = 20;
    guitar.Show = 1;
    guitar.Channel = 5;
    guitar.Top = 1;
    for (int s = 0; s < 8; ++s) guitar.Tuning[s] = -(s + 1);
    const TOldTrack drums{.Bottom = 1, .Variant = 1};
    const TOldTexts texts{"Title", "Artist", "Album", "Me", "Notes"};
    TOldFile f{.Version = version, .Compressed = compressed, .TrackCount = 2, .Flags = 1 | 2, .Tempo8 = 99};
    f.Part1 = OldPart1(version, {guitar, drums}, &texts);
    const bool plainArrays = compressed && version == 109;
    for (const TBytes& raw : {OldBarCodes(), OldNotes(version <= 106, false), OldNotes(version <= 106, true)})
        Append(f.Part2, plainArrays ? raw : Runs(raw));
    return f.Build();
}

struct TOldCase {
    int version;
    bool compressed;
};

void PrintTo(const TOldCase& row, std::ostream* os) {
    *os << row.version << (row.compressed ? "Compressed" : "Plain");
}

class SongFileOldVersion : public ::testing::TestWithParam<TOldCase> {};

TEST_P(SongFileOldVersion, LoadsWithTheFieldsOfItsVersionAndDefaultsForTheRest) {
    const int v = GetParam().version;
    TCustomTabDoc doc;
    doc.LoadFromBytes(OldFileBytes(v, GetParam().compressed), "/old.frl");

    EXPECT_EQ(99, doc.Tempo);
    EXPECT_EQ(
        std::vector<std::string>({"Title", "Artist", v >= 109 ? "Album" : "", v >= 109 ? "Me" : "", "Notes"}),
        std::vector<std::string>({doc.Title, doc.Artist, doc.Album, doc.Transcriber, doc.Comments}));
    EXPECT_EQ(
        std::vector<std::vector<int>>(
            {{0, 16, 0, 0, 0, 0}, {16, 32, 0, 1, 1, 3}, {32, 48, 0, 0, 0, 0}, {48, OldSpaces, 1, 0, 0, 0}}),
        BarRows(doc));

    ASSERT_EQ(2, doc.TrackCount());
    const TTrackData& g = doc.Track(0);
    EXPECT_EQ(OldSpaces, g.SpaceCount());
    // In TrackFields order: the settings a version lacks keep their defaults.
    const bool v106 = v >= 106, v107 = v >= 107, v108 = v >= 108, v109 = v >= 109;
    std::vector<int> guitar = {6, 26, 9, 101, v107 ? 10 : 64, v108 * 33, v108 * 44, 0, 0, v106 ? 5 : -1};
    guitar.insert(guitar.end(), {v107 ? 20 : 24, v109 * -3, v109 * 2, false, true, false, v106, 0});
    // Before 107 a tuning held six strings.
    for (int s = 0; s < 8; ++s) guitar.push_back(v107 || s < 6 ? -(s + 1) : 0);
    EXPECT_EQ(guitar, TrackFields(g));

    EXPECT_EQ(NoteFretBase + 5, g.Space(0).Notes[0]);
    EXPECT_EQ('h', g.Space(0).Effects[0]);
    EXPECT_EQ('x', g.Space(1).TopText);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{pkVolume, 90}}), PropsOf(g.Space(3)));
    EXPECT_TRUE(IsEmptySpace(g.Space(2), true));

    const TTrackData& d = doc.Track(1);
    EXPECT_EQ(1, d.Variant);
    EXPECT_TRUE(d.BottomTextLine);
    // Drum tracks of six strings before 107 kept their keys below 100.
    EXPECT_EQ(v <= 106 ? 99 : 24, d.HighestNumber);
    EXPECT_EQ(NoteMuted, d.Space(2).Notes[5]);
    EXPECT_EQ('q', d.Space(2).BottomText);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{pkStrokeDown, 0}}), PropsOf(d.Space(2)));
    EXPECT_TRUE(BarsAreValid(doc));
}

std::vector<TOldCase> AllOldCases() {
    std::vector<TOldCase> cases;
    for (int v = 101; v <= 110; ++v) cases.insert(cases.end(), {{v, true}, {v, false}});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Versions, SongFileOldVersion, ::testing::ValuesIn(AllOldCases()), PrintedName());

// A one-track song of version 111: the header's space count, bar codes and letters.
TBytes Version111(const TBytes& codes, const TBytes& notes) {
    TOldFile f{.Version = 111, .SpaceCount111 = static_cast<int>(codes.size())};
    f.Part1 = OldPart1(111, {TOldTrack{}}, nullptr);
    f.Part2 = Runs(codes);
    Append(f.Part2, notes);
    return f.Build();
}

struct TBarCodeCase {
    const char* name;
    TBytes codes;
    std::vector<std::vector<int>> bars;  // as BarRows gives them
};

FRETLO_PRINT_AS_NAME(TBarCodeCase)

class SongFileBarCodes : public ::testing::TestWithParam<TBarCodeCase> {};

TEST_P(SongFileBarCodes, DecodeIntoBars) {
    const TBytes& codes = GetParam().codes;
    TCustomTabDoc doc;
    doc.LoadFromBytes(Version111(codes, Runs(TBytes(codes.size() * 20, 0))), "/c.frl");
    EXPECT_EQ(static_cast<int>(codes.size()), doc.Track(0).SpaceCount());
    EXPECT_EQ("", doc.Title);  // no text flag, no texts
    EXPECT_EQ(GetParam().bars, BarRows(doc));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SongFileBarCodes,
    ::testing::Values(TBarCodeCase{"NoCodesIsOneBar", TBytes(300, 0), {{0, 300, 0, 0, 0, 0}}},
                      TBarCodeCase{"RepeatOpenEndsTheBarBefore",
                                   {0, 0, 3, 0, 0x52},
                                   {{0, 2, 0, 0, 0, 0}, {2, 5, 0, 1, 1, 5}}},
                      TBarCodeCase{"StaffEndBreaksTheNextBar",
                                   {4, 0, 4, 0},
                                   {{0, 1, 0, 0, 0, 0}, {1, 3, 1, 0, 0, 0}, {3, 4, 1, 0, 0, 0}}},
                      TBarCodeCase{"HighBitsOfOtherCodesAreIgnored",
                                   {0xF0, 0x71, 0xA3, 0x14},
                                   {{0, 2, 0, 0, 0, 0}, {2, 4, 0, 1, 0, 0}}},
                      TBarCodeCase{"UnknownCodesContinueTheBar", {7, 9, 1}, {{0, 3, 0, 0, 0, 0}}}),
    PrintedName());

TEST(SongFileOldVersions, Version113ReadsEffectBlocksAndIgnoresLetterBytes) {
    TOldFile f{.Version = 113, .BarCount = 1};
    f.Part1 = OldPart1(113, {TOldTrack{.SpaceCount = 4, .Modulation = 12, .PitchBend = -300}}, nullptr);
    f.Part2 = {4, 0, 0, 0, 0, 0};
    TBytes notes;
    for (int i = 0; i < 4; ++i) Append(notes, NoteRecord(false, {}, 'Z', 1));
    Append(f.Part2, Runs(notes));
    // The block of the edge case: tempo 120 on space 1, volume 100 and pan 64 on space 3.
    Add32(f.Part2, 24);
    Append(f.Part2, {1, 0, 3, 0, 2, 0, 120, 0, 2, 0, 5, 0, 2, 0, 100, 0, 0, 0, 6, 0, 2, 0, 64, 0});
    TCustomTabDoc doc;
    doc.LoadFromBytes(f.Build(), "/e.frl");
    const TTrackData& track = doc.Track(0);
    EXPECT_EQ(12, track.Modulation);
    EXPECT_EQ(-300, track.PitchBend);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{pkTempo, 120}}), PropsOf(track.Space(1)));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{pkVolume, 100}, {pkPan, 64}}), PropsOf(track.Space(3)));
    EXPECT_EQ(nullptr, track.Space(0).Props);
}

TEST(SongFileOldVersions, Version112BarRecordsAndRatiosFollowEachOther) {
    TOldFile f{.Version = 112, .Ratios = true, .BarCount = 2};
    f.Part1 = OldPart1(112, {TOldTrack{.SpaceCount = 6}}, nullptr);
    // Two spaces opening a repeat, with a count but no close, which means nothing; then four
    // spaces breaking the staff and closing a repeat of 200.
    f.Part2 = {2, 0, 0, 0, 2, 9, 4, 0, 0, 0, 1 | 4, 200};
    Append(f.Part2, Runs(TBytes(6 * 20, 0)));
    Append(f.Part2, Runs({1, 1, 2, 3, 2, 3, 2, 3, 1, 1, 1, 1}));
    TCustomTabDoc doc;
    doc.LoadFromBytes(f.Build(), "/b.frl");
    EXPECT_EQ(std::vector<std::vector<int>>({{0, 2, 0, 1, 0, 0}, {2, 6, 1, 0, 1, 200}}), BarRows(doc));
    EXPECT_EQ(2, doc.Track(0).Space(1).RatioNum);
    EXPECT_EQ(3, doc.Track(0).Space(3).RatioDen);
    EXPECT_EQ(1, doc.Track(0).Space(5).RatioNum);
}

}  // namespace
}  // namespace fretlo::test
