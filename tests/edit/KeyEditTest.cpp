// Edits as the keys make them: of the cursor space, of the cursor's bar, and shifts on Insert
// and Delete with their modifiers, each one undo step back. The refusals are in
// CommandRefusalTest.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "edit/BarEdit.h"
#include "edit/Shift.h"
#include "edit/SpaceEdit.h"

namespace fretlo::test {
namespace {

using EditSpaceTest = EditTest;

struct TDigits {
    int highest;
    const char* keys;
    int fret;
    bool lastChanges;  // the last key changed the note
};

void PrintTo(const TDigits& d, std::ostream* os) { *os << "keys " << d.keys << " up to " << d.highest; }

class FretDigitTest : public EditSpaceTest, public ::testing::WithParamInterface<TDigits> {};

// A key that leaves the note as it was reports so and does not refresh the status bar.
TEST_P(FretDigitTest, TwoDigitsCombineWithinTheHighestNumber) {
    song.Track(0).HighestNumber = GetParam().highest;
    host.cursor = {0, 3, 1};
    bool changed = false;
    int updates = 0;
    for (const char* k = GetParam().keys; *k; ++k) {
        updates = host.statusUpdates;
        changed = TypeFretDigit(doc, *k - '0');
    }
    EXPECT_EQ(song.Space(0, 3).Notes[1], NoteFretBase + GetParam().fret);
    EXPECT_EQ(changed, GetParam().lastChanges);
    EXPECT_EQ(host.statusUpdates - updates, changed ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, FretDigitTest,
                         ::testing::Values(TDigits{24, "123", 3, true}, TDigits{24, "24", 24, true},
                                           TDigits{24, "25", 5, true}, TDigits{99, "99", 99, true},
                                           TDigits{24, "77", 7, false}),
                         PrintedName());

TEST_F(EditSpaceTest, ClearingTakesTheEffectFirstThenTheNote) {
    host.cursor = {0, 2, 4};
    SetCursorNote(doc, NoteMuted);
    SetCursorEffect(doc, EffectForKey('H'));
    EXPECT_EQ(song.Space(0, 2).Effects[4], 'h');
    EXPECT_EQ(ClearCursorCell(doc), TCellCleared::Effect);
    EXPECT_EQ(ClearCursorCell(doc), TCellCleared::Note);
    EXPECT_EQ(ClearCursorCell(doc), TCellCleared::Nothing);
    EXPECT_TRUE(IsEmptySpace(song.Space(0, 2), true));
}

TEST_F(EditSpaceTest, TextLinesTakePrintableCharactersAndABlankClearsThem) {
    song.Track(0).BottomTextLine = true;
    host.cursor = {0, 1, -2};
    EXPECT_TRUE(SetCursorText(doc, 'Q'));
    EXPECT_EQ(song.Space(0, 1).BottomText, 'Q');
    EXPECT_FALSE(SetCursorText(doc, 'Q'));
    EXPECT_TRUE(SetCursorText(doc, ' '));
    EXPECT_EQ(song.Space(0, 1).BottomText, 0);
}

TEST_F(EditSpaceTest, AStrokeReplacesTheOppositeOne) {
    host.cursor = {0, 0, 0};
    SetStroke(doc, true);
    SetStroke(doc, false);
    const TSpace& s = song.Space(0, 0);
    EXPECT_EQ(FindProp(s, pkStrokeDown), nullptr);
    ASSERT_NE(FindProp(s, pkStrokeUp), nullptr);
    EXPECT_EQ(FindProp(s, pkStrokeUp)->Value(), 0);
    EXPECT_EQ(doc.Journal().RecordCount(), 1u);
}

TEST_F(EditSpaceTest, MoveNoteKeepsThePitchAndBeepsWhenItCannot) {
    host.cursor = {0, 0, 0};  // low E, reference 40; A string 45
    TypeFretDigit(doc, 5);
    SetCursorEffect(doc, 'b');
    MoveCursorNote(doc, +1);
    EXPECT_EQ(song.Space(0, 0).Notes[1], NoteFretBase + 0);
    EXPECT_EQ(song.Space(0, 0).Effects[1], 'b');
    EXPECT_EQ(song.Space(0, 0).Notes[0], 0);
    EXPECT_EQ(host.cursor.String, 1);

    host.cursor = {0, 1, 0};
    TypeFretDigit(doc, 3);
    MoveCursorNote(doc, +1);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(song.Space(0, 1).Notes[0], NoteFretBase + 3);

    host.cursor = {0, 2, 1};
    TypeFretDigit(doc, 2);
    song.Space(0, 2).Effects[0] = 'h';
    MoveCursorNote(doc, -1);  // the target cell holds an effect
    EXPECT_EQ(host.beeps, 2);
}

TEST_F(EditSpaceTest, ClearTrackEffectsOfASelectionIsOneStep) {
    AddPropNode(song.Space(0, 1), pkTempo, 100);
    AddPropNode(song.Space(1, 2), pkVolume, 10);
    AddPropNode(song.Space(1, 9), pkVolume, 10);
    host.Select(0, 0, 4, true);
    ClearTrackEffects(doc);
    EXPECT_EQ(song.Space(0, 1).Props, nullptr);
    EXPECT_EQ(song.Space(1, 2).Props, nullptr);
    EXPECT_NE(song.Space(1, 9).Props, nullptr);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Clear Track Effects");
}

struct TBarEdit {
    const char* name;
    void (*prepare)(TEditDocument&);
    int space;  // the cursor's, on track 0
    void (*command)(TEditDocument&);
    int bars, bar;                                  // afterwards: the bar count, and the bar checked
    int start, end;                                 // of that bar, in spaces
    int staffBreak, repeatStart, repeatEnd, count;  // its flags
};
FRETLO_PRINT_AS_NAME(TBarEdit)

class BarEditTest : public EditSpaceTest, public ::testing::WithParamInterface<TBarEdit> {};

TEST_P(BarEditTest, ChangesTheBarAsOneUndoStep) {
    const TBarEdit& c = GetParam();
    if (c.prepare) c.prepare(doc);
    host.cursor = {0, c.space, 0};
    c.command(doc);
    EXPECT_TRUE(host.messages.empty() && host.prompts.empty());
    ASSERT_EQ(doc.BarCount(), c.bars);
    const TBar& bar = doc.Bar(c.bar);
    EXPECT_EQ(bar.Start, c.start * UnitsPerSpace);
    EXPECT_EQ(bar.End, c.end * UnitsPerSpace);
    EXPECT_EQ(bar.StaffBreak, c.staffBreak);
    EXPECT_EQ(bar.RepeatStart, c.repeatStart);
    EXPECT_EQ(bar.RepeatEnd, c.repeatEnd);
    EXPECT_EQ(bar.RepeatCount, c.count);
    EXPECT_EQ(doc.Journal().RecordCount(), 1u);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Bar Line Change");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, BarEditTest,
    ::testing::Values(TBarEdit{"BarLineSplitsABar", nullptr, 6, ToggleBarLine, 17, 2, 6, 8, 0, 0, 0, 0},
                      TBarEdit{"BarLineMergesTwoBars", nullptr, 4, ToggleBarLine, 15, 0, 0, 8, 0, 0, 0, 0},
                      TBarEdit{"StaffBreak", nullptr, 5, ToggleStaffBreak, 16, 1, 4, 8, 1, 0, 0, 0},
                      // The first bar cannot get one, but one it has can go.
                      TBarEdit{"StaffBreakOffTheFirstBar", [](TEditDocument& d) { d.Bar(0).StaffBreak = 1; },
                               1, ToggleStaffBreak, 16, 0, 0, 4, 0, 0, 0, 0},
                      TBarEdit{"RepeatOpenOff", [](TEditDocument& d) { d.Bar(1).RepeatStart = 1; }, 5,
                               ToggleRepeatOpen, 16, 1, 4, 8, 0, 0, 0, 0},
                      // A repeat close goes without a question.
                      TBarEdit{"RepeatCloseOff",
                               [](TEditDocument& d) {
                                   d.Bar(1).RepeatEnd = 1;
                                   d.Bar(1).RepeatCount = 4;
                               },
                               5, EditRepeatClose, 16, 1, 4, 8, 0, 0, 0, 0}),
    PrintedName());

struct TRepeatAnswer {
    std::optional<std::string> answer;
    int count;  // 0: refused or cancelled
    bool message;
};

void PrintTo(const TRepeatAnswer& a, std::ostream* os) {
    *os << (a.answer ? "answer '" + *a.answer + "'" : std::string("cancelled"));
}

class RepeatCloseTest : public EditSpaceTest, public ::testing::WithParamInterface<TRepeatAnswer> {};

TEST_P(RepeatCloseTest, AsksForACountFromOneTo255) {
    host.cursor = {0, 5, 0};
    host.answer = GetParam().answer;
    EditRepeatClose(doc);
    ASSERT_EQ(host.prompts.size(), 1u);
    EXPECT_EQ(host.prompts[0], "Create Repeat Sign|Number of times to repeat:");
    EXPECT_EQ(doc.Bar(1).RepeatEnd, GetParam().count > 0);
    EXPECT_EQ(doc.Bar(1).RepeatCount, GetParam().count);
    EXPECT_EQ(host.LastMessage(),
              GetParam().message ? "Number of times to repeat must be between 1 and 255." : "");
    EXPECT_EQ(doc.Journal().Empty(), GetParam().count == 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, RepeatCloseTest,
                         ::testing::Values(TRepeatAnswer{" 255 ", 255, false}, TRepeatAnswer{"1", 1, false},
                                           TRepeatAnswer{"0", 0, true}, TRepeatAnswer{"256", 0, true},
                                           TRepeatAnswer{"2x", 0, true},
                                           TRepeatAnswer{std::nullopt, 0, false}),
                         PrintedName());

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
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, c.right ? "&Undo Shift Right" : "&Undo Shift Left");
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
    // Notes going left with the bar lines free the last space, so a full one does not stop them.
    {"CtrlShiftDeleteWithAFullLastSpace", [](TEditSong& s) { s.Space(1, 63).Notes[3] = NoteFretBase; }, false,
     true, true, 1, 4, 4, 4, 63, 63, 63, 16, 4, 7, 4},
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
