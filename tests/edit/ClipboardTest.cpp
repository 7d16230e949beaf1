// The clipboard: the block's bytes as copy writes them and the damaged blocks a paste must
// refuse, then Copy, Cut, Clear and Paste across tracks and alternate-time regions. The
// refusals of the commands are in CommandRefusalTest.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "edit/Clipboard.h"
#include "edit/ClipboardOps.h"

namespace fretlo::test {
namespace {

int32_t I32At(const std::vector<uint8_t>& b, size_t at) { return GetI32(b.data() + at); }

// Two tracks of two spaces; the second space of track 1 has a tempo change.
std::vector<uint8_t> CopiedBlock() {
    TEditSong song(4, {6, 4});
    song.Space(0, 0).Notes[0] = NoteFretBase + 3;
    song.Space(0, 1).Effects[5] = 'h';
    song.Space(1, 1).TopText = 'A';
    AddPropNode(song.Space(1, 1), pkTempo, 140);
    song.host.Select(0, 0, 2, true);
    EXPECT_TRUE(CopySelection(song.doc));
    return *song.host.clipboard;
}

TEST(ClipboardBlockTest, CopyWritesTheHeadCountsRecordsAndTrackEffectsInOrder) {
    const auto b = CopiedBlock();
    EXPECT_EQ(I32At(b, 0), 0);
    EXPECT_EQ(I32At(b, 4), 24);
    EXPECT_EQ(I32At(b, 8), 2);
    EXPECT_EQ(I32At(b, 12), 512);
    EXPECT_EQ(I32At(b, 16), 2);
    EXPECT_EQ(I32At(b, 20), 2);
    const size_t track0 = 24, track1 = track0 + 2 * 24 + 4;
    EXPECT_EQ(b[track0], NoteFretBase + 3);
    EXPECT_EQ(b[track0 + 24 + 8 + 5], 'h');
    EXPECT_EQ(I32At(b, track0 + 16), 0);  // the list reference is not written
    EXPECT_EQ(I32At(b, track1 - 4), 0);   // no track effects on track 0
    EXPECT_EQ(b[track1 + 24 + 20], 'A');
    const size_t props = track1 + 2 * 24;
    ASSERT_EQ(I32At(b, props), 8);
    EXPECT_EQ(GetU16(&b[props + 4]), 1);  // skip to the second space
    EXPECT_EQ(GetU16(&b[props + 6]), pkTempo);
    EXPECT_EQ(GetU16(&b[props + 8]), 2);
    EXPECT_EQ(GetU16(&b[props + 10]), 140);
    EXPECT_EQ(b.size(), props + 4 + 8);
}

TEST(ClipboardBlockTest, DecodingAndEncodingGiveBackTheSameBytes) {
    const auto b = CopiedBlock();
    const auto block = DecodeClipBlock(b);
    ASSERT_TRUE(block);
    EXPECT_EQ(EncodeClipBlock(*block), b);
}

TEST(ClipboardBlockTest, EveryTruncationAndATrailingByteAreRefused) {
    auto b = CopiedBlock();
    for (size_t n = 0; n < b.size(); ++n)
        EXPECT_FALSE(DecodeClipBlock({b.begin(), b.begin() + static_cast<ptrdiff_t>(n)})) << n;
    b.push_back(0);
    EXPECT_FALSE(DecodeClipBlock(b));
}

struct TDamage {
    const char* name;
    size_t offset;
    uint8_t value;
};

FRETLO_PRINT_AS_NAME(TDamage)

class ClipboardDamageTest : public ::testing::TestWithParam<TDamage> {};

TEST_P(ClipboardDamageTest, IsRefused) {
    auto b = CopiedBlock();
    b[GetParam().offset] = GetParam().value;
    EXPECT_FALSE(DecodeClipBlock(b));
}

// Offsets in the block of CopiedBlock(): head 16, counts 8, track 0 at 24, track 1 at 76,
// its track effects at 128.
INSTANTIATE_TEST_SUITE_P(
    Blocks, ClipboardDamageTest,
    ::testing::Values(TDamage{"record size 23", 4, 23}, TDamage{"no tracks", 8, 0},
                      TDamage{"16 tracks", 8, 16}, TDamage{"L not aligned", 12, 1},
                      TDamage{"L twice as long", 13, 4}, TDamage{"no spaces", 16, 0},
                      TDamage{"ratio 0", 24 + 22, 0}, TDamage{"ratio 2/1", 24 + 23 + 24, 0},
                      TDamage{"L a sixteenth short", 13, 1}, TDamage{"effect kind 11", 130, 11},
                      TDamage{"effect past the run", 128, 2}, TDamage{"effect data size", 132, 3},
                      // On the last space of track 0 it keeps the block's length.
                      TDamage{"denominator 17", 24 + 24 + 23, 17}),
    PrintedName());

// Track 1 has a triplet region (spaces 8-10, 2/3) in the time of track 0's spaces 8 and 9.
class ClipboardTest : public EditTest {
protected:
    ClipboardTest() { song.MakeRegion(1, 8, 3, 2, 3); }
};

TEST_F(ClipboardTest, ACutTripletRegionLeavesTwoOrdinaryEmptySpaces) {
    song.Space(1, 9).Notes[0] = NoteFretBase + 5;
    song.Space(1, 12).Notes[0] = NoteFretBase + 7;
    const int count = song.Track(1).SpaceCount();
    const int32_t laterTime = song.Track(1).SpaceTime(12);
    host.Select(1, 8, 11);
    CutSelection(doc);
    ASSERT_TRUE(host.clipboard);
    EXPECT_EQ(song.Track(1).SpaceCount(), count - 1);
    for (int i : {8, 9}) EXPECT_TRUE(IsEmptySpace(song.Space(1, i), true)) << i;
    EXPECT_EQ(song.Space(1, 11).Notes[0], NoteFretBase + 7);
    EXPECT_EQ(song.Track(1).SpaceTime(11), laterTime);
    EXPECT_TRUE(host.selection.Active);
    EXPECT_EQ(host.cursor.Space, 10);  // was 11, the removed space's index: a + u
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Cut");
}

TEST_F(ClipboardTest, ATripletPastedOverTwoSpacesGrowsTheTrackAndKeepsLaterTimes) {
    song.Space(1, 9).Notes[2] = NoteFretBase + 9;
    host.Select(1, 8, 11);
    ASSERT_TRUE(CopySelection(doc));
    song.Space(0, 6).Notes[0] = NoteFretBase + 1;  // replaced
    song.Space(0, 8).Notes[0] = NoteFretBase + 2;  // kept, at time 2048
    const int count = song.Track(0).SpaceCount();
    host.cursor = {0, 6, 0};
    Paste(doc);
    EXPECT_EQ(song.Track(0).SpaceCount(), count + 1);
    EXPECT_EQ(song.Space(0, 6).Notes[0], 0);
    EXPECT_EQ(song.Space(0, 7).Notes[2], NoteFretBase + 9);
    EXPECT_EQ(song.Space(0, 7).RatioDen, 3);
    EXPECT_EQ(song.Space(0, 9).Notes[0], NoteFretBase + 2);
    EXPECT_EQ(song.Track(0).SpaceTime(9), 8 * UnitsPerSpace);
    EXPECT_EQ(host.cursor.Space, 6);
    EXPECT_EQ(host.lowestBarInvalidatedFrom, 1);  // the bar of space 6 and all after it
    EXPECT_EQ(host.countChanges, 1);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Paste");
}

TEST_F(ClipboardTest, EighthsPastedOverATripletShrinkTheTrack) {
    song.Space(0, 4).Notes[1] = NoteFretBase + 4;
    host.Select(0, 4, 6);
    ASSERT_TRUE(CopySelection(doc));
    const int count = song.Track(1).SpaceCount();
    host.cursor = {1, 8, 0};
    Paste(doc);
    EXPECT_EQ(song.Track(1).SpaceCount(), count - 1);
    EXPECT_EQ(song.Space(1, 8).Notes[1], NoteFretBase + 4);
    EXPECT_EQ(song.Track(1).SpaceTime(10), 10 * UnitsPerSpace);
}

TEST_F(ClipboardTest, AMultiTrackBlockGoesToTheFirstTracksWhereverTheCursorIs) {
    song.Space(0, 0).Notes[0] = NoteFretBase + 1;
    song.Space(1, 0).Notes[0] = NoteFretBase + 2;
    host.Select(0, 0, 1, true);
    ASSERT_TRUE(CopySelection(doc));
    host.cursor = {1, 3, 0};
    Paste(doc);
    EXPECT_EQ(song.Space(0, 3).Notes[0], NoteFretBase + 1);
    EXPECT_EQ(song.Space(1, 3).Notes[0], NoteFretBase + 2);
}

TEST_F(ClipboardTest, PasteKeepsOnlyTheStringsAndTextLinesTheTargetHas) {
    song.Track(0).TopTextLine = true;
    song.Space(0, 0).Notes[5] = NoteFretBase + 5;
    song.Space(0, 0).Notes[0] = NoteFretBase + 1;
    song.Space(0, 0).TopText = 'T';
    AddPropNode(song.Space(0, 0), pkVolume, 90);
    host.Select(0, 0, 1);
    ASSERT_TRUE(CopySelection(doc));
    song.Track(1).StringCount = 4;
    host.cursor = {1, 2, 0};
    Paste(doc);
    const TSpace& s = song.Space(1, 2);
    EXPECT_EQ(s.Notes[0], NoteFretBase + 1);
    EXPECT_EQ(s.Notes[5], 0);
    EXPECT_EQ(s.TopText, 0);
    ASSERT_NE(FindProp(s, pkVolume), nullptr);
    EXPECT_EQ(FindProp(s, pkVolume)->Value(), 90);
}

TEST_F(ClipboardTest, ClearOfAllTracksEmptiesEachAsOneStep) {
    song.Space(0, 2).Notes[0] = NoteFretBase + 1;
    song.Space(1, 2).Effects[3] = 'b';
    AddPropNode(song.Space(1, 3), pkPan, 10);
    host.Select(0, 0, 4, true);
    ClearSelection(doc);
    EXPECT_TRUE(IsEmptySpace(song.Space(0, 2), true));
    EXPECT_TRUE(IsEmptySpace(song.Space(1, 2), true));
    EXPECT_TRUE(IsEmptySpace(song.Space(1, 3), true));
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Clear");
    EXPECT_EQ(doc.Journal().RecordCount(), 2u);
}

// A block whose tuplet group is unfinished at either end would merge with a group of the same
// ratio beside it and move every later note. Track 0 starts with a plain space and an
// unfinished pair of 2/3 spaces (0, 256, 426, rounded up to 768); track 1 has its triplet
// region at 2048.
struct TGridCase {
    const char* name;
    int fromTrack, fromSpace, toSpace;  // the copied spaces [fromSpace, toSpace)
    int pasteTrack, pasteSpace;
    int refusedTrack;  // 1-based, 0 when the paste goes ahead
};
FRETLO_PRINT_AS_NAME(TGridCase)

class PasteGrid : public ClipboardTest, public ::testing::WithParamInterface<TGridCase> {
protected:
    // The start of every space at or after `time`.
    std::vector<int32_t> TimesFrom(int track, int32_t time) {
        std::vector<int32_t> out;
        for (int i = 0; i < song.Track(track).SpaceCount(); ++i)
            if (song.Track(track).SpaceTime(i) >= time) out.push_back(song.Track(track).SpaceTime(i));
        return out;
    }
};

TEST_P(PasteGrid, LaterSpacesKeepTheirTimesOrThePasteIsRefused) {
    const TGridCase& c = GetParam();
    song.Track(0).SetRatio(1, 2, 2, 3);
    ASSERT_EQ(song.Track(0).SpaceTime(3), 768);
    host.Select(c.fromTrack, c.fromSpace, c.toSpace);
    ASSERT_TRUE(CopySelection(doc));
    host.cursor = {c.pasteTrack, c.pasteSpace, 0};
    const int32_t t0 = song.Track(c.pasteTrack).SpaceTime(c.pasteSpace);
    TTrackData& from = song.Track(c.fromTrack);
    const int32_t t1 = t0 + from.SpaceTime(c.toSpace) - from.SpaceTime(c.fromSpace);
    const auto later = TimesFrom(c.pasteTrack, t1);
    if (c.refusedTrack > 0) {
        host.selection = {};
        return ExpectRefusedUnchanged(song,
                                      Format("Cannot paste here because the alternate-time regions of "
                                             "the pasted section would run into those on track %d and "
                                             "move every later note.",
                                             c.refusedTrack),
                                      [this] { Paste(doc); });
    }
    Paste(doc);
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    EXPECT_EQ(TimesFrom(c.pasteTrack, t1), later);
    EXPECT_EQ(song.Track(c.pasteTrack).SpaceTime(c.pasteSpace), t0);
}

const TGridCase GridCases[] = {
    {"EndingBeforeARegionOfTheSameRatio", 0, 0, 3, 1, 5, 2},
    {"StartingAfterAnUnfinishedGroupOfTheSameRatio", 1, 8, 11, 0, 3, 1},
    {"EndingBeforePlainSpaces", 0, 0, 3, 1, 0, 0},
    {"ARegionBetweenPlainSpaces", 1, 8, 11, 0, 8, 0},
};

INSTANTIATE_TEST_SUITE_P(Tuplets, PasteGrid, ::testing::ValuesIn(GridCases), PrintedName());

}  // namespace
}  // namespace fretlo::test
