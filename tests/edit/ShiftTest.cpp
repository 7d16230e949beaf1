// Shifts on Insert and Delete with every modifier combination: what moves, the checks
// that refuse a shift before any change, and one undo step each.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "edit/Shift.h"
#include "edit/UndoReplay.h"

namespace fretlo::test {
namespace {

// Two tracks of 16 bars of 4 spaces; a note at space 5 of each track.
class ShiftTest : public ::testing::Test {
protected:
    ShiftTest() {
        song.Space(0, 5).Notes[0] = NoteFretBase + 1;
        song.Space(1, 5).Notes[0] = NoteFretBase + 2;
    }

    TEditSong song{4, {6, 6}, 16};
    TEditDocument& doc = song.doc;
    TFakeHost& host = song.host;

    void ExpectRefused(const std::string& message, void (*shift)(TEditDocument&, TShiftMode),
                       TShiftMode mode) {
        const auto before = Snapshot(doc);
        shift(doc, mode);
        EXPECT_EQ(host.LastMessage(), message);
        EXPECT_EQ(Snapshot(doc), before);
        EXPECT_TRUE(doc.Journal().Empty());
    }
    void ExpectOneStepUndone(const std::vector<uint8_t>& before, const char* caption) {
        EXPECT_EQ(doc.Journal().RecordCount() > 0, true);
        EXPECT_EQ(UndoCaption(doc.Journal()).Text, caption);
        Undo(doc);
        EXPECT_EQ(Snapshot(doc), before);
        EXPECT_TRUE(doc.Journal().Empty());
    }
};

TEST_F(ShiftTest, InsertMovesTheCursorTrackOnlyAndKeepsItsLength) {
    const auto before = Snapshot(doc);
    host.cursor = {0, 4, 0};
    ShiftRight(doc, ShiftModeForKeys(false, false));
    EXPECT_EQ(song.Space(0, 6).Notes[0], NoteFretBase + 1);
    EXPECT_EQ(song.Space(0, 5).Notes[0], 0);
    EXPECT_EQ(song.Space(1, 5).Notes[0], NoteFretBase + 2);
    EXPECT_EQ(song.Track(0).SpaceCount(), 64);
    EXPECT_EQ(host.stops, 1);
    EXPECT_EQ(host.lowestBarInvalidatedFrom, 1);
    ExpectOneStepUndone(before, "&Undo Shift Right");
}

TEST_F(ShiftTest, InsertRefusesAFullLastSpaceButShiftInsertGrowsEveryTrack) {
    song.Space(1, 63).Notes[3] = NoteFretBase;
    host.cursor = {0, 4, 0};
    ExpectRefused("Can't shift notes right. The last space on track 2 is not empty.", ShiftRight,
                  ShiftModeForKeys(false, true));
    const auto before = Snapshot(doc);
    ShiftRight(doc, ShiftModeForKeys(true, false));
    EXPECT_EQ(song.Track(0).SpaceCount(), 65);
    EXPECT_EQ(song.Track(1).SpaceCount(), 65);
    EXPECT_EQ(doc.Bar(1).End, 9 * UnitsPerSpace);  // the cursor's bar grew by a sixteenth
    EXPECT_EQ(doc.SongLength(), 65 * UnitsPerSpace);
    EXPECT_EQ(song.Space(0, 5).Notes[0], NoteFretBase + 1);
    ExpectOneStepUndone(before, "&Undo Shift Right");
}

TEST_F(ShiftTest, CtrlShiftInsertMovesNotesAndBarLinesTogether) {
    const auto before = Snapshot(doc);
    host.cursor = {1, 5, 0};
    ShiftRight(doc, ShiftModeForKeys(true, true));
    EXPECT_EQ(song.Space(0, 6).Notes[0], NoteFretBase + 1);
    EXPECT_EQ(song.Space(1, 6).Notes[0], NoteFretBase + 2);
    EXPECT_EQ(song.Track(1).SpaceCount(), 65);
    ExpectOneStepUndone(before, "&Undo Shift Right");
}

TEST_F(ShiftTest, ShiftsRefuseAlternateTimeRegionsAndTracksThatDoNotLineUp) {
    song.MakeRegion(1, 8, 3, 2, 3);
    host.cursor = {1, 9, 0};
    ExpectRefused("Can't shift right inside an alternate-time region.", ShiftRight, {});
    ExpectRefused("Can't shift left inside an alternate-time region.", ShiftLeft, {});
    host.cursor = {1, 8, 0};
    ExpectRefused("Can't shift notes left. The space on track 2 is a member of an alternate-time region.",
                  ShiftLeft, {});
    host.cursor = {0, 9, 0};  // time 2304 is inside track 2's triplet
    ExpectRefused(
        "Can't shift notes right. There is no space on track 2 that lines up with the current space.",
        ShiftRight, ShiftModeForKeys(false, true));
    ExpectRefused(
        "Can't shift notes left. There is no space on track 2 that lines up with the current space.",
        ShiftLeft, ShiftModeForKeys(false, true));
}

TEST_F(ShiftTest, DeleteAtARegionsEndWorks) {
    song.MakeRegion(1, 8, 3, 2, 3);
    song.Space(1, 12).Notes[1] = NoteFretBase + 3;
    const auto before = Snapshot(doc);
    host.cursor = {1, 11, 0};  // time 2560, just after the triplet
    ShiftLeft(doc, {});
    EXPECT_EQ(song.Space(1, 11).Notes[1], NoteFretBase + 3);
    ExpectOneStepUndone(before, "&Undo Shift Left");
}

TEST_F(ShiftTest, CtrlDeleteRemovesTheSpaceAtTheCursorTimeFromEveryTrack) {
    const auto before = Snapshot(doc);
    host.cursor = {0, 5, 0};
    ShiftLeft(doc, ShiftModeForKeys(false, true));
    EXPECT_EQ(song.Space(0, 5).Notes[0], 0);
    EXPECT_EQ(song.Space(1, 5).Notes[0], 0);
    EXPECT_EQ(song.Track(0).SpaceCount(), 64);
    ExpectOneStepUndone(before, "&Undo Shift Left");
}

TEST_F(ShiftTest, ShiftDeleteInABarsLastSixteenthMergesItWithTheNextBar) {
    doc.Bar(4).StaffBreak = 1;
    const auto before = Snapshot(doc);
    host.cursor = {0, 15, 0};  // the last sixteenth of bar 3 (spaces 12-15)
    ShiftLeft(doc, ShiftModeForKeys(true, false));
    EXPECT_EQ(doc.BarCount(), 15);
    EXPECT_EQ(doc.Bar(3).Start, 12 * UnitsPerSpace);
    EXPECT_EQ(doc.Bar(3).End, 19 * UnitsPerSpace);
    EXPECT_EQ(song.Track(0).SpaceCount(), 63);
    ExpectOneStepUndone(before, "&Undo Shift Left");
}

TEST_F(ShiftTest, ShiftDeleteOnTheLastSpaceShortensTheSongAndMovesTheCursorBack) {
    const auto before = Snapshot(doc);
    host.cursor = {0, 63, 0};
    ShiftLeft(doc, ShiftModeForKeys(true, false));
    EXPECT_EQ(host.cursor.Space, 62);
    EXPECT_EQ(doc.SongLength(), 63 * UnitsPerSpace);
    EXPECT_EQ(doc.BarCount(), 16);
    ExpectOneStepUndone(before, "&Undo Shift Left");
}

TEST_F(ShiftTest, ShiftDeleteRefusesSingleSpaceTracksAndFullLastSpaces) {
    host.cursor = {0, 0, 0};
    song.Space(1, 63).Effects[0] = 'h';
    ExpectRefused("Can't shift bar lines left. The last space on track 2 is not empty.", ShiftLeft,
                  ShiftModeForKeys(true, false));
    song.Track(1).SetSpaceCount(1);
    doc.Journal().Clear();
    ExpectRefused("Can't shift bar lines left. There is only one space remaining on track 2.", ShiftLeft,
                  ShiftModeForKeys(true, false));
}

TEST_F(ShiftTest, ShiftInsertRefusesTracksAtTheSpaceLimit) {
    song.Track(1).SetSpaceCount(MaxSpaces);
    host.cursor = {0, 0, 0};
    ExpectRefused(
        "Can't shift bar lines because it would cause the total number of spaces to exceed 32000, the "
        "maximum Fretlo can handle.",
        ShiftRight, ShiftModeForKeys(true, false));
}

TEST_F(ShiftTest, DroppingALastSpaceThatOnlyHasARatioIsUndoneToo) {
    song.Track(0).SetRatio(63, 1, 1, 2);
    const auto before = Snapshot(doc);
    host.cursor = {0, 2, 0};
    ShiftLeft(doc, ShiftModeForKeys(true, false));
    ExpectOneStepUndone(before, "&Undo Shift Left");
}

}  // namespace
}  // namespace fretlo::test
