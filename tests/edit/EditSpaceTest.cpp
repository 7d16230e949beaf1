// Edits of the cursor space and of the cursor's bar as the keys make them.
#include <gtest/gtest.h>

#include "ParamName.h"

#include "EditFixture.h"
#include "edit/BarEdit.h"
#include "edit/SpaceEdit.h"
#include "edit/UndoReplay.h"

namespace fretlo::test {
namespace {

class EditSpaceTest : public ::testing::Test {
protected:
    TEditSong song{4, {6, 6}, 16};
    TEditDocument& doc = song.doc;
    TFakeHost& host = song.host;

    uint8_t CursorNote() {
        return song.Space(host.cursor.Track, host.cursor.Space).Notes[host.cursor.String];
    }
};

struct TDigits {
    int highest;
    const char* keys;
    int fret;
};

void PrintTo(const TDigits& d, std::ostream* os) { *os << "keys " << d.keys << " up to " << d.highest; }

class FretDigitTest : public EditSpaceTest, public ::testing::WithParamInterface<TDigits> {};

TEST_P(FretDigitTest, TwoDigitsCombineWithinTheHighestNumber) {
    song.Track(0).HighestNumber = GetParam().highest;
    host.cursor = {0, 3, 1};
    for (const char* k = GetParam().keys; *k; ++k) TypeFretDigit(doc, *k - '0');
    EXPECT_EQ(CursorNote(), NoteFretBase + GetParam().fret);
}

INSTANTIATE_TEST_SUITE_P(Keys, FretDigitTest,
                         ::testing::Values(TDigits{24, "12", 12}, TDigits{24, "123", 3},
                                           TDigits{24, "24", 24}, TDigits{24, "25", 5}, TDigits{5, "7", 7},
                                           TDigits{99, "99", 99}, TDigits{24, "02", 2}),
                         PrintedName());

TEST_F(EditSpaceTest, TheSameDigitAgainChangesNothing) {
    host.cursor = {0, 3, 1};
    EXPECT_TRUE(TypeFretDigit(doc, 7));
    const int updates = host.statusUpdates;
    EXPECT_FALSE(TypeFretDigit(doc, 7));  // 77 is above 24, so 7 again
    EXPECT_EQ(host.statusUpdates, updates);
}

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
    const auto before = Snapshot(doc);
    host.Select(0, 0, 4, true);
    ClearTrackEffects(doc);
    EXPECT_EQ(song.Space(0, 1).Props, nullptr);
    EXPECT_EQ(song.Space(1, 2).Props, nullptr);
    EXPECT_NE(song.Space(1, 9).Props, nullptr);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Clear Track Effects");
    Undo(doc);
    EXPECT_EQ(Snapshot(doc), before);
}

TEST_F(EditSpaceTest, BarLineToggleSplitsAndMergesOnSixteenthsOnly) {
    host.cursor = {0, 0, 0};
    ToggleBarLine(doc);
    EXPECT_EQ(doc.BarCount(), 16);
    EXPECT_TRUE(doc.Journal().Empty());

    host.cursor = {0, 6, 0};
    ToggleBarLine(doc);
    EXPECT_EQ(doc.BarCount(), 17);
    EXPECT_EQ(doc.Bar(2).Start, 6 * UnitsPerSpace);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Bar Line Change");
    ToggleBarLine(doc);
    EXPECT_EQ(doc.BarCount(), 16);

    song.MakeRegion(1, 8, 3, 2, 3);
    host.cursor = {1, 9, 0};
    ToggleBarLine(doc);
    EXPECT_EQ(host.LastMessage(), "Bar lines may only be created on 16th-note boundaries.");
    EXPECT_EQ(doc.BarCount(), 16);
}

TEST_F(EditSpaceTest, StaffBreakOnBarZeroCanOnlyBeCleared) {
    host.cursor = {0, 1, 0};
    ToggleStaffBreak(doc);
    EXPECT_FALSE(doc.Bar(0).StaffBreak);
    EXPECT_TRUE(doc.Journal().Empty());
    doc.Bar(0).StaffBreak = 1;
    ToggleStaffBreak(doc);
    EXPECT_FALSE(doc.Bar(0).StaffBreak);
    host.cursor = {0, 5, 0};
    ToggleStaffBreak(doc);
    ToggleRepeatOpen(doc);
    EXPECT_TRUE(doc.Bar(1).StaffBreak);
    EXPECT_TRUE(doc.Bar(1).RepeatStart);
    EXPECT_EQ(doc.Journal().RecordCount(), 3u);
}

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
                         ::testing::Values(TRepeatAnswer{"3", 3, false}, TRepeatAnswer{" 255 ", 255, false},
                                           TRepeatAnswer{"1", 1, false}, TRepeatAnswer{"0", 0, true},
                                           TRepeatAnswer{"256", 0, true}, TRepeatAnswer{"", 0, true},
                                           TRepeatAnswer{"2x", 0, true}, TRepeatAnswer{"-4", 0, true},
                                           TRepeatAnswer{std::nullopt, 0, false}),
                         PrintedName());

TEST_F(EditSpaceTest, RepeatCloseIsRemovedWithoutAQuestion) {
    doc.Bar(1).RepeatEnd = 1;
    doc.Bar(1).RepeatCount = 4;
    host.cursor = {0, 5, 0};
    EditRepeatClose(doc);
    EXPECT_TRUE(host.prompts.empty());
    EXPECT_EQ(doc.Bar(1).RepeatEnd, 0);
    EXPECT_EQ(doc.Bar(1).RepeatCount, 0);
    Undo(doc);
    EXPECT_EQ(doc.Bar(1).RepeatCount, 4);
}

}  // namespace
}  // namespace fretlo::test
