// The Undo command: step merging, captions, the three refusals and the clean state (the
// cursor put back is EditRandomTest's). Undo with nothing to undo is in CommandRefusalTest.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "base/Errors.h"
#include "edit/BarEdit.h"
#include "edit/ClipboardOps.h"
#include "edit/SpaceEdit.h"

namespace fretlo::test {
namespace {

constexpr const char* TooMany = "Sorry, cannot undo any further. Too many changes have been made.";

class UndoTest : public EditTest {
protected:
    void TypeAt(int track, int space, int string, const char* keys) {
        host.cursor = {track, space, string};
        for (const char* k = keys; *k; ++k) {
            if (*k == 'x')
                SetCursorNote(doc, NoteMuted);
            else
                TypeFretDigit(doc, *k - '0');
        }
    }
};

TEST_F(UndoTest, EditsOfOneSpaceAreOneStepThatRestoresTheSpaceBeforeTheFirst) {
    const auto before = Snapshot(doc);
    TypeAt(0, 5, 2, "12x");
    EXPECT_EQ(song.Space(0, 5).Notes[2], NoteMuted);
    EXPECT_EQ(doc.Journal().RecordCount(), 1u);
    EXPECT_TRUE(doc.Modified);
    ExpectUndoneTo(doc, before, "&Undo Changes to Space");
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "Can't &Undo");
    EXPECT_FALSE(UndoCaption(doc.Journal()).Enabled);
    EXPECT_FALSE(doc.Modified);
}

TEST_F(UndoTest, EditsOfNeighbouringSpacesOrAcrossAnotherStepAreSeparateSteps) {
    TypeAt(0, 5, 0, "1");
    TypeAt(0, 6, 0, "2");
    EXPECT_EQ(doc.Journal().RecordCount(), 2u);
    host.cursor = {0, 6, 0};
    ToggleRepeatOpen(doc);
    TypeAt(0, 6, 0, "3");
    EXPECT_EQ(doc.Journal().RecordCount(), 4u);
    TypeAt(1, 6, 0, "4");  // same space index, other track
    EXPECT_EQ(doc.Journal().RecordCount(), 5u);
}

TEST_F(UndoTest, AStepLeftOpenByAFailureIsRefusedAndKept) {
    host.cursor = {0, 3, 0};
    EXPECT_THROW(
        {
            TUndoStep step(doc, ukPaste);
            doc.SaveSpaces(0, 3, 1);
            throw EFretloError("failed half-way");
        },
        EFretloError);
    EXPECT_FALSE(doc.Journal().GroupOpen());
    Undo(doc);
    EXPECT_EQ(host.LastMessage(), "Sorry, there was an error and the previous change cannot be undone.");
    EXPECT_EQ(doc.Journal().RecordCount(), 1u);
}

TEST_F(UndoTest, HistoryBeyondTheLimitIsDroppedWholeAndNamedByTheCaption) {
    // Each clear of 2000 spaces on both tracks records about 96 kB.
    song.Track(0).SetSpaceCount(2000);
    song.Track(1).SetSpaceCount(2000);
    for (int i = 0; i < 12; ++i) {
        host.Select(0, 0, 1999, true);
        ClearSelection(doc, i == 0 ? ukCut : ukClear);
    }
    ASSERT_TRUE(doc.Journal().Truncated);
    int undone = 0;
    while (!doc.Journal().Empty()) {
        Undo(doc);
        ++undone;
    }
    EXPECT_LT(undone, 12);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Clear");
    EXPECT_TRUE(UndoCaption(doc.Journal()).Enabled);
    Undo(doc);
    EXPECT_EQ(host.LastMessage(), TooMany);
    EXPECT_TRUE(doc.Modified);
}

TEST_F(UndoTest, AStepWhoseStartWasDroppedIsRefused) {
    song.Track(0).SetSpaceCount(30000);
    {
        TUndoStep step(doc, ukPaste);
        doc.SaveSpaces(0, 0, 25000);
        doc.SaveSpaces(0, 0, 25000);  // pushes the step's own first record out
        step.End();
    }
    ASSERT_FALSE(doc.Journal().Empty());
    Undo(doc);
    EXPECT_EQ(host.LastMessage(), TooMany);
    EXPECT_EQ(doc.Journal().RecordCount(), 1u);
}

// Undoing everything of a saved song marks it clean (EditRandomTest checks that too) unless it
// was changed before by something that cannot be undone.
TEST_F(UndoTest, UndoingEverythingKeepsASongModifiedBeforeModified) {
    doc.Modified = true;
    TypeAt(0, 1, 0, "7");
    Undo(doc);
    EXPECT_TRUE(doc.Modified);
}

}  // namespace
}  // namespace fretlo::test
