// The Song menu's bar commands on the editing core: what each one makes of the bar list and
// the tracks, and one undo step back; the sizes Add Bars refuses. The refusals that show a
// message are in CommandRefusalTest.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "edit/BarCommands.h"

namespace fretlo::test {
namespace {

struct TRecreateCase {
    int cursorBar;
    int cursorOffset;  // spaces into that bar
    int barSpaces;
};

[[maybe_unused]] void PrintTo(const TRecreateCase& c, std::ostream* os) {
    *os << "Bar" << c.cursorBar << "Plus" << c.cursorOffset << "Every" << c.barSpaces;
}

class RecreateBarLinesTest : public ::testing::TestWithParam<TRecreateCase> {};

// 20 bars of 16 spaces; the bars before the cursor's keep their lines, the rest are laid out
// again from the start of the cursor's bar, the last one ending at the song's end.
TEST_P(RecreateBarLinesTest, LaysOutFromTheCursorsBarToTheEnd) {
    const TRecreateCase c = GetParam();
    TEditSong song(16, {6, 4}, 20);
    TEditDocument& doc = song.doc;
    song.host.cursor = {1, c.cursorBar * 16 + c.cursorOffset, 0};
    const int32_t end = doc.SongLength();

    GoToCursorBarStart(doc);
    EXPECT_EQ(song.host.cursor.Space, c.cursorBar * 16);
    RecreateBarLines(doc, c.barSpaces);

    EXPECT_EQ(doc.SongLength(), end);
    const int32_t from = c.cursorBar * 16 * UnitsPerSpace;
    const int32_t length = c.barSpaces ? c.barSpaces * UnitsPerSpace : end - from;
    for (int b = 0; b < doc.BarCount(); ++b) {
        const TBar& bar = doc.Bar(b);
        if (b < c.cursorBar) {
            EXPECT_EQ(bar.Start, b * 16 * UnitsPerSpace) << b;
        } else {
            EXPECT_EQ(bar.Start, from + (b - c.cursorBar) * length) << b;
            EXPECT_EQ(bar.End, std::min(end, bar.Start + length)) << b;
        }
    }
    EXPECT_EQ(song.host.stops, 2);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Recreate Bar Lines");
}

INSTANTIATE_TEST_SUITE_P(Lengths, RecreateBarLinesTest,
                         ::testing::Values(TRecreateCase{5, 7, 0},    // "None": one bar to the end
                                           TRecreateCase{19, 15, 4},  // in the last bar
                                           TRecreateCase{2, 9, 19}),  // 4 3/4 beats: a short last bar
                         PrintedName());

// A repeat close and a staff break are bar lines the new layout must keep.
TEST(RecreateBarLines, KeepsRepeatSignsAndStaffBreaksOnTheWay) {
    TEditSong song(16, {6}, 8);
    TEditDocument& doc = song.doc;
    doc.Bar(3).RepeatEnd = 1;
    doc.Bar(3).RepeatCount = 2;
    doc.Bar(6).StaffBreak = 1;
    song.host.cursor = {0, 16, 0};
    RecreateBarLines(doc, 0);
    // Bar 1 runs on to the repeat close at the end of bar 3; the staff break starts a bar.
    ASSERT_EQ(doc.BarCount(), 4);
    EXPECT_EQ(doc.Bar(1).End, 4 * 16 * UnitsPerSpace);
    EXPECT_EQ(doc.Bar(1).RepeatEnd, 1);
    EXPECT_EQ(doc.Bar(1).RepeatCount, 2);
    EXPECT_EQ(doc.Bar(2).Start, 4 * 16 * UnitsPerSpace);
    EXPECT_EQ(doc.Bar(3).Start, 6 * 16 * UnitsPerSpace);
    EXPECT_EQ(doc.Bar(3).StaffBreak, 1);
}

// No space of the track starts where its bar does: the cursor goes to the bar's first space,
// never back into the bar before.
TEST(RecreateBarLines, StartsAtTheFirstSpaceInsideTheBarWhenATupletCrossesItsLine) {
    TEditSong song(4, {6}, 8);
    song.MakeRegion(0, 3, 3, 2, 3);  // spaces 3..5 from time 768 to 1280, over the line at 1024
    song.host.cursor = {0, 6, 0};
    GoToCursorBarStart(song.doc);
    EXPECT_EQ(song.host.cursor.Space, 5);
}

struct TAddCase {
    int bars;
    int barSpaces;
    int shortBy;  // spaces track 1 lacks at the song's end before
};

[[maybe_unused]] void PrintTo(const TAddCase& c, std::ostream* os) {
    *os << c.bars << "BarsOf" << c.barSpaces << "ShortBy" << c.shortBy;
}

class AddBarsTest : public ::testing::TestWithParam<TAddCase> {};

// 8 bars of 16 spaces on two tracks, track 1 with a triplet region and maybe shorter: every
// track reaches the new end, the new bars follow the old last one.
TEST_P(AddBarsTest, AppendsBarsAndLengthensEveryTrackToTheNewEnd) {
    const TAddCase c = GetParam();
    TEditSong song(16, {6, 4}, 8);
    TEditDocument& doc = song.doc;
    song.MakeRegion(1, 16, 6, 2, 3);
    song.Track(1).SetSpaceCount(song.Track(1).SpaceCount() - c.shortBy);
    song.host.Select(0, 2, 5);
    const int32_t oldEnd = doc.SongLength();

    ASSERT_EQ(AddBarsRefusal(doc, c.bars, c.barSpaces), std::nullopt);
    AddBars(doc, c.bars, c.barSpaces);

    const int32_t newEnd = oldEnd + c.bars * c.barSpaces * UnitsPerSpace;
    EXPECT_EQ(doc.SongLength(), newEnd);
    ASSERT_EQ(doc.BarCount(), 8 + c.bars);
    EXPECT_EQ(doc.Bar(8).Start, oldEnd);
    EXPECT_EQ(doc.Bar(8).End - doc.Bar(8).Start, c.barSpaces * UnitsPerSpace);
    for (int tr = 0; tr < 2; ++tr) EXPECT_EQ(song.Track(tr).TotalTime(), newEnd) << tr;
    EXPECT_FALSE(song.host.selection.Active);
    EXPECT_EQ(song.host.stops, 1);
    EXPECT_EQ(song.host.lowestBarInvalidatedFrom, doc.BarAtTime(oldEnd - c.shortBy * UnitsPerSpace));
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Add Bars");
}

INSTANTIATE_TEST_SUITE_P(Requests, AddBarsTest,
                         ::testing::Values(TAddCase{3, 19, 0}, TAddCase{2, 4, 21}, TAddCase{1, 67, 100}),
                         PrintedName());

struct TAddLimitCase {
    int bars;
    int barSpaces;
    bool refused;
};

[[maybe_unused]] void PrintTo(const TAddLimitCase& c, std::ostream* os) {
    *os << c.bars << "BarsOf" << c.barSpaces;
}

class AddBarsLimitTest : public ::testing::TestWithParam<TAddLimitCase> {};

// 8 bars of 16 spaces: 128 spaces a track, so 1992 bars of 16 fill a track to exactly 32000.
TEST_P(AddBarsLimitTest, RefusesWhatWouldPassThirtyTwoThousandSpacesOnATrack) {
    const TAddLimitCase c = GetParam();
    TEditSong song(16, {6, 4}, 8);
    EXPECT_EQ(AddBarsRefusal(song.doc, c.bars, c.barSpaces),
              c.refused ? std::optional<std::string>("The figures entered would cause the total number of "
                                                     "spaces to exceed 32000, the maximum Fretlo can handle. "
                                                     "Try something smaller.")
                        : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Requests, AddBarsLimitTest,
                         ::testing::Values(TAddLimitCase{1992, 16, false}, TAddLimitCase{1993, 16, true},
                                           TAddLimitCase{475, 67, false}, TAddLimitCase{476, 67, true}),
                         PrintedName());

// A track already longer than the new end needs no spaces, however many it has.
TEST(AddBars, ATrackThatReachesTheNewEndAlreadyIsLeftAlone) {
    TEditSong song(16, {6, 4}, 8);
    song.Track(1).SetSpaceCount(MaxSpaces);
    EXPECT_EQ(AddBarsRefusal(song.doc, 2, 16), std::nullopt);
    AddBars(song.doc, 2, 16);
    EXPECT_EQ(song.Track(1).SpaceCount(), MaxSpaces);
    EXPECT_EQ(song.Track(0).SpaceCount(), 160);
}

TEST(RemoveUnusedBars, CutsTheBarsAndSpacesAfterTheCursorsBar) {
    TEditSong song(16, {6, 4, 5}, 8);
    TEditDocument& doc = song.doc;
    song.Space(0, 2 * 16 + 15).Notes[0] = NoteFretBase + 3;  // the cursor's bar may hold notes
    song.MakeRegion(1, 16, 3, 2, 3);                         // and tuplets before the cut
    song.Track(2).SetSpaceCount(40);                         // a track ending before the cut stays
    song.host.Select(0, 2 * 16 + 1, 2 * 16 + 4);

    RemoveUnusedBars(doc);

    EXPECT_EQ(song.host.LastMessage(),
              "This command will eliminate all of the unused bars after the cursor position. Continue?");
    EXPECT_EQ(doc.BarCount(), 3);
    EXPECT_EQ(doc.SongLength(), 48 * UnitsPerSpace);
    EXPECT_EQ(song.Track(0).SpaceCount(), 48);
    EXPECT_EQ(song.Track(1).SpaceCount(), 49);  // three spaces in the time of two
    EXPECT_EQ(song.Track(2).SpaceCount(), 40);
    EXPECT_FALSE(song.host.selection.Active);
    EXPECT_EQ(song.host.lowestBarInvalidatedFrom, 2);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Remove Unused Bars");
}

}  // namespace
}  // namespace fretlo::test
