// Files of the older versions, built byte by byte, and what the reader makes of them.
#include <gtest/gtest.h>

#include "document/SongFile.h"
#include "document/SongFileBytes.h"
#include "document/SongFileTestDoc.h"

namespace fretlo::test {
namespace {

constexpr int OldSpaces = 4000;

TOldTrack GuitarTrack() {
    TOldTrack t;
    t.InstrumentByte = 0x80 | 26;  // let ring off
    t.Legacy = 9;
    t.Volume = 101;
    t.Transpose = -3;
    t.Bank = 2;
    t.Reverb = 33;
    t.Chorus = 44;
    t.Pan = 10;
    t.Highest = 20;
    t.Show = 1;
    t.Channel = 5;
    t.Top = 1;
    for (int s = 0; s < 8; ++s) t.Tuning[s] = -(s + 1);
    return t;
}

TOldTrack DrumTrack() {
    TOldTrack t;
    t.Variant = 1;
    t.Bottom = 1;
    return t;
}

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

TBytes OldNotes(bool old, bool second) {
    TBytes notes;
    for (int i = 0; i < OldSpaces; ++i) {
        if (!second && i == 0)
            Append(notes, NoteRecord(old, {{0, NoteFretBase + 5}}, 0, 0, 0, 0, {{0, 'h'}}));
        else if (!second && i == 1)
            Append(notes, NoteRecord(old, {}, 0, 0, 'x'));
        else if (!second && i == 3)
            Append(notes, NoteRecord(old, {}, 'V', 90));
        else if (second && i == 2)
            Append(notes, NoteRecord(old, {{5, NoteMuted}}, 'D', 0, 0, 'q'));
        else
            Append(notes, NoteRecord(old, {}));
    }
    return notes;
}

TBytes OldFileBytes(int version, bool compressed) {
    const bool plainArrays = compressed && version == 109;
    auto array = [&](const TBytes& raw) { return plainArrays ? raw : Runs(raw); };
    const TOldTexts texts{"Title", "Artist", "Album", "Me", "Notes"};
    TOldFile f;
    f.Version = version;
    f.Compressed = compressed;
    f.TrackCount = 2;
    f.Flags = 1 | 2;
    f.Tempo8 = 99;
    f.Part1 = OldPart1(version, {GuitarTrack(), DrumTrack()}, &texts);
    f.Part2 = array(OldBarCodes());
    Append(f.Part2, array(OldNotes(version <= 106, false)));
    Append(f.Part2, array(OldNotes(version <= 106, true)));
    return f.Build();
}

struct TOldCase {
    int version;
    bool compressed;
};

void PrintTo(const TOldCase& row, std::ostream* os) { *os << row.version << (row.compressed ? " compressed" : " plain"); }

class SongFileOldVersion : public ::testing::TestWithParam<TOldCase> {};

TEST_P(SongFileOldVersion, LoadsWithTheFieldsOfItsVersionAndDefaultsForTheRest) {
    const int v = GetParam().version;
    TCustomTabDoc doc;
    doc.LoadFromBytes(OldFileBytes(v, GetParam().compressed), "/old.frl");

    EXPECT_EQ(99, doc.Tempo);
    EXPECT_EQ("Title", doc.Title);
    EXPECT_EQ("Artist", doc.Artist);
    EXPECT_EQ(v >= 109 ? "Album" : "", doc.Album);
    EXPECT_EQ(v >= 109 ? "Me" : "", doc.Transcriber);
    EXPECT_EQ("Notes", doc.Comments);

    ASSERT_EQ(4, doc.BarCount());
    const std::vector<std::vector<int>> bars = {
        {0, 16, 0, 0, 0, 0}, {16, 32, 0, 1, 1, 3}, {32, 48, 0, 0, 0, 0}, {48, OldSpaces, 1, 0, 0, 0}};
    for (int b = 0; b < 4; ++b) {
        const TBar& bar = doc.Bar(b);
        EXPECT_EQ(bars[static_cast<size_t>(b)],
                  std::vector<int>({bar.Start / UnitsPerSpace, bar.End / UnitsPerSpace, bar.StaffBreak,
                                    bar.RepeatStart, bar.RepeatEnd, bar.RepeatCount}))
            << "bar " << b;
    }

    ASSERT_EQ(2, doc.TrackCount());
    const TTrackData& g = doc.Track(0);
    EXPECT_EQ(OldSpaces, g.SpaceCount());
    EXPECT_EQ(26, g.Instrument);
    EXPECT_FALSE(g.LetRing);
    EXPECT_EQ(9, g.LegacyValue);
    EXPECT_EQ(101, g.Volume);
    EXPECT_EQ(v >= 109 ? -3 : 0, g.Transpose);
    EXPECT_EQ(v >= 109 ? 2 : 0, g.Bank);
    EXPECT_EQ(v >= 108 ? 33 : 0, g.Reverb);
    EXPECT_EQ(v >= 108 ? 44 : 0, g.Chorus);
    EXPECT_EQ(v >= 107 ? 10 : 64, g.Pan);
    EXPECT_EQ(v >= 107 ? 20 : 24, g.HighestNumber);
    EXPECT_EQ(v >= 106, g.ShowNumbers);
    EXPECT_EQ(v >= 106 ? 5 : -1, g.MidiChannel);
    EXPECT_TRUE(g.TopTextLine);
    EXPECT_FALSE(g.BottomTextLine);
    const std::vector<int> tuning(g.Tuning, g.Tuning + 8);
    EXPECT_EQ(v >= 107 ? std::vector<int>({-1, -2, -3, -4, -5, -6, -7, -8})
                       : std::vector<int>({-1, -2, -3, -4, -5, -6, 0, 0}),
              tuning);

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
    for (int v = 101; v <= 110; ++v) {
        cases.push_back({v, true});
        cases.push_back({v, false});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Versions, SongFileOldVersion, ::testing::ValuesIn(AllOldCases()),
                         [](const auto& info) {
                             return std::to_string(info.param.version) +
                                    (info.param.compressed ? "Compressed" : "Plain");
                         });

// A one-track song of version 111: the header's space count, bar codes and letters.
TOldFile Version111(const TBytes& codes, const TBytes& notes) {
    TOldFile f;
    f.Version = 111;
    f.SpaceCount111 = static_cast<int>(codes.size());
    f.Part1 = OldPart1(111, {TOldTrack{}}, nullptr);
    f.Part2 = Runs(codes);
    Append(f.Part2, notes);
    return f;
}

TBytes EmptyNotes(size_t spaces) { return Runs(TBytes(spaces * 20, 0)); }

struct TBarCodeCase {
    const char* name;
    TBytes codes;
    // start, end, staff break, repeat start, repeat end, count per bar
    std::vector<std::vector<int>> bars;
};

void PrintTo(const TBarCodeCase& row, std::ostream* os) { *os << row.name; }

class SongFileBarCodes : public ::testing::TestWithParam<TBarCodeCase> {};

TEST_P(SongFileBarCodes, DecodeIntoBars) {
    const TBytes& codes = GetParam().codes;
    TCustomTabDoc doc;
    doc.LoadFromBytes(Version111(codes, EmptyNotes(codes.size())).Build(), "/c.frl");
    EXPECT_EQ(static_cast<int>(codes.size()), doc.Track(0).SpaceCount());
    std::vector<std::vector<int>> bars;
    for (int b = 0; b < doc.BarCount(); ++b) {
        const TBar& bar = doc.Bar(b);
        bars.push_back({bar.Start / UnitsPerSpace, bar.End / UnitsPerSpace, bar.StaffBreak, bar.RepeatStart,
                        bar.RepeatEnd, bar.RepeatCount});
    }
    EXPECT_EQ(GetParam().bars, bars);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SongFileBarCodes,
    ::testing::Values(
        TBarCodeCase{"NoCodesIsOneBar", TBytes(5, 0), {{0, 5, 0, 0, 0, 0}}},
        TBarCodeCase{"EndsIncludeTheirSpace", {0, 1, 0, 0, 1}, {{0, 2, 0, 0, 0, 0}, {2, 5, 0, 0, 0, 0}}},
        TBarCodeCase{
            "RepeatOpenEndsTheBarBefore", {0, 0, 3, 0, 0x52}, {{0, 2, 0, 0, 0, 0}, {2, 5, 0, 1, 1, 5}}},
        TBarCodeCase{"StaffEndBreaksTheNextBar",
                     {4, 0, 4, 0},
                     {{0, 1, 0, 0, 0, 0}, {1, 3, 1, 0, 0, 0}, {3, 4, 1, 0, 0, 0}}},
        TBarCodeCase{"HighBitsOfOtherCodesAreIgnored",
                     {0xF0, 0x71, 0xA3, 0x14},
                     {{0, 2, 0, 0, 0, 0}, {2, 4, 0, 1, 0, 0}}},
        TBarCodeCase{"UnknownCodesContinueTheBar", {7, 9, 1}, {{0, 3, 0, 0, 0, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SongFileOldVersions, Version111TakesTheSpaceCountFromTheHeader) {
    TCustomTabDoc doc;
    doc.LoadFromBytes(Version111(TBytes(300, 0), EmptyNotes(300)).Build(), "/a.frl");
    EXPECT_EQ(300, doc.Track(0).SpaceCount());
    EXPECT_EQ("", doc.Title);  // no text flag, no texts
}

TEST(SongFileOldVersions, LongRunEntriesAndRunsAcrossBlocksDecode) {
    // 300 records of 20 bytes: fret 1 on slot 0 of space 0 and byte 7 on slot 0 of space
    // 299, the zeros between as one long entry, and a block boundary inside the array.
    TBytes notes;
    Add16(notes, 3);
    Add8(notes, 1);
    Add8(notes, NoteFretBase + 1);
    Add8(notes, 0);
    Add16(notes, 5979);
    Add8(notes, 0);
    Add16(notes, 2);
    Append(notes, {1, 7, 19, 0});
    TBytes codes(300, 0);
    TCustomTabDoc doc;
    doc.LoadFromBytes(Version111(codes, notes).Build(), "/r.frl");
    EXPECT_EQ(NoteFretBase + 1, doc.Track(0).Space(0).Notes[0]);
    EXPECT_EQ(7, doc.Track(0).Space(299).Notes[0]);
    EXPECT_TRUE(IsEmptySpace(doc.Track(0).Space(150), true));
}

TEST(SongFileOldVersions, Version113ReadsEffectBlocksAndIgnoresLetterBytes) {
    TOldFile f;
    f.Version = 113;
    f.BarCount = 1;
    TOldTrack t;
    t.SpaceCount = 4;
    t.Modulation = 12;
    t.PitchBend = -300;
    f.Part1 = OldPart1(113, {t}, nullptr);
    Add32(f.Part2, 4);
    Add8(f.Part2, 0);
    Add8(f.Part2, 0);
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
    TOldFile f;
    f.Version = 112;
    f.BarCount = 2;
    f.Ratios = true;
    TOldTrack t;
    t.SpaceCount = 6;
    f.Part1 = OldPart1(112, {t}, nullptr);
    Add32(f.Part2, 2);
    Add8(f.Part2, 2);
    Add8(f.Part2, 9);  // a count without the close flag means nothing
    Add32(f.Part2, 4);
    Add8(f.Part2, 1 | 4);
    Add8(f.Part2, 200);
    Append(f.Part2, Runs(TBytes(6 * 20, 0)));
    Append(f.Part2, Runs({1, 1, 2, 3, 2, 3, 2, 3, 1, 1, 1, 1}));
    TCustomTabDoc doc;
    doc.LoadFromBytes(f.Build(), "/b.frl");
    ASSERT_EQ(2, doc.BarCount());
    EXPECT_EQ(std::vector<int>({0, 512, 0, 1, 0, 0}),
              std::vector<int>({doc.Bar(0).Start, doc.Bar(0).End, doc.Bar(0).StaffBreak,
                                doc.Bar(0).RepeatStart, doc.Bar(0).RepeatEnd, doc.Bar(0).RepeatCount}));
    EXPECT_EQ(std::vector<int>({512, 1536, 1, 0, 1, 200}),
              std::vector<int>({doc.Bar(1).Start, doc.Bar(1).End, doc.Bar(1).StaffBreak,
                                doc.Bar(1).RepeatStart, doc.Bar(1).RepeatEnd, doc.Bar(1).RepeatCount}));
    EXPECT_EQ(2, doc.Track(0).Space(1).RatioNum);
    EXPECT_EQ(3, doc.Track(0).Space(3).RatioDen);
    EXPECT_EQ(1, doc.Track(0).Space(5).RatioNum);
}

}  // namespace
}  // namespace fretlo::test
