// Shifts on Insert and Delete with their modifiers: which notes and bar lines move, what the
// tracks and the song become, and one undo step back. The refusals are in CommandRefusalTest.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "edit/Shift.h"

namespace fretlo::test {
namespace {

constexpr uint8_t Note0 = NoteFretBase + 1, Note1 = NoteFretBase + 2;

struct TShiftCase {
    const char* name;
    void (*prepare)(TEditSong&);
    bool right, shift, ctrl;
    int track, space;                        // the cursor
    int note0, note1;                        // where each track's note ends up, -1 for gone
    int spaces0, spaces1, songSpaces, bars;  // afterwards
    int barStart, barEnd;                    // in spaces, of the bar that held the cursor
    int cursorAfter;
};
FRETLO_PRINT_AS_NAME(TShiftCase)

class ShiftTest : public EditTest, public ::testing::WithParamInterface<TShiftCase> {
protected:
    // The only space of the track holding `note`; -1 for none, -2 for several.
    int SpaceWith(int track, uint8_t note) {
        int found = -1;
        for (int i = 0; i < song.Track(track).SpaceCount(); ++i)
            if (song.Space(track, i).Notes[0] == note) found = found == -1 ? i : -2;
        return found;
    }
};

// Two tracks of 16 bars of 4 spaces with a note at space 5 of each.
TEST_P(ShiftTest, MovesWhatTheKeysSayAndUndoesInOneStep) {
    const TShiftCase& c = GetParam();
    song.Space(0, 5).Notes[0] = Note0;
    song.Space(1, 5).Notes[0] = Note1;
    if (c.prepare) c.prepare(song);
    const auto before = Snapshot(doc);
    host.cursor = {c.track, c.space, 0};
    const int bar = doc.BarOfSpace(c.track, c.space);

    const TShiftMode mode = ShiftModeForKeys(c.shift, c.ctrl);
    c.right ? ShiftRight(doc, mode) : ShiftLeft(doc, mode);
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    EXPECT_EQ(SpaceWith(0, Note0), c.note0);
    EXPECT_EQ(SpaceWith(1, Note1), c.note1);
    EXPECT_EQ(song.Track(0).SpaceCount(), c.spaces0);
    EXPECT_EQ(song.Track(1).SpaceCount(), c.spaces1);
    EXPECT_EQ(doc.SongLength(), c.songSpaces * UnitsPerSpace);
    EXPECT_EQ(doc.BarCount(), c.bars);
    EXPECT_EQ(doc.Bar(bar).Start, c.barStart * UnitsPerSpace);
    EXPECT_EQ(doc.Bar(bar).End, c.barEnd * UnitsPerSpace);
    EXPECT_EQ(host.cursor.Space, c.cursorAfter);
    EXPECT_EQ(host.stops, 1);
    EXPECT_EQ(host.lowestBarInvalidatedFrom, bar);
    ExpectUndoneTo(doc, before, c.right ? "&Undo Shift Right" : "&Undo Shift Left");
}

const TShiftCase ShiftCases[] = {
    // Only the cursor track's notes move; it keeps its length.
    {"Insert", nullptr, true, false, false, 0, 4, 6, 5, 64, 64, 64, 16, 4, 8, 4},
    // Every track grows and the cursor's bar with it, a full last space or not.
    {"ShiftInsert", [](TEditSong& s) { s.Space(1, 63).Notes[3] = NoteFretBase; }, true, true, false, 0, 4, 5,
     5, 65, 65, 65, 16, 4, 9, 4},
    {"CtrlShiftInsert", nullptr, true, true, true, 1, 5, 6, 6, 65, 65, 65, 16, 4, 9, 5},
    // Just after a triplet (spaces 8-10 of track 1), at time 2560: the note at 12 comes to 11.
    {"DeleteAtARegionsEnd",
     [](TEditSong& s) {
         s.MakeRegion(1, 8, 3, 2, 3);
         s.Space(1, 5).Notes[0] = 0;
         s.Space(1, 12).Notes[0] = Note1;
     },
     false, false, false, 1, 11, 5, 11, 64, 65, 64, 16, 8, 12, 11},
    {"CtrlDelete", nullptr, false, false, true, 0, 5, -1, -1, 64, 64, 64, 16, 4, 8, 5},
    // In the last sixteenth of bar 3 the bar line after it goes, with the staff break it had.
    {"ShiftDeleteInABarsLastSixteenth", [](TEditSong& s) { s.doc.Bar(4).StaffBreak = 1; }, false, true, false,
     0, 15, 5, 5, 63, 63, 63, 15, 12, 19, 15},
    {"ShiftDeleteOnTheLastSpace", nullptr, false, true, false, 0, 63, 5, 5, 63, 63, 63, 16, 60, 63, 62},
    // The dropped last space is empty but for its ratio, which undo must bring back.
    {"ShiftDeleteOfALastSpaceWithOnlyARatio", [](TEditSong& s) { s.Track(0).SetRatio(63, 1, 1, 2); }, false,
     true, false, 0, 2, 5, 5, 63, 63, 63, 16, 0, 3, 2},
};

INSTANTIATE_TEST_SUITE_P(Keys, ShiftTest, ::testing::ValuesIn(ShiftCases), PrintedName());

}  // namespace
}  // namespace fretlo::test
