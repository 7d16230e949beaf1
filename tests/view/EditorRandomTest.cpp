// Long random sequences of keys, characters, clicks and clipboard commands sent to the
// editor widget, each step then undone through the widget: the song must come back byte
// for byte at every step, and the cursor to where the step began.
#include "view/EditorFixture.h"

#include "ParamName.h"

#include <random>

#include "edit/EditFixture.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class EditorRandom : public EditorTest, public testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        doc.AddTrack(std::make_unique<TTrackData>(false, doc.Track(0).SpaceCount()));
        doc.Track(1).TopTextLine = true;
        doc.Track(2).BottomTextLine = true;
        doc.Track(2).StringCount = 4;
        doc.Track(1).SetRatio(8, 3, 2, 3);
        doc.Track(1).SetSpaceCount(doc.Track(1).SpaceCount() + 1);
        view->LayOutVertically();
        rng.seed(GetParam());
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    void RandomKey() {
        static const Qt::Key keys[] = {Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,
                                       Qt::Key_Home,   Qt::Key_End,    Qt::Key_PageUp,   Qt::Key_PageDown,
                                       Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Backspace};
        static const Qt::KeyboardModifiers mods[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                                     Qt::ControlModifier | Qt::ShiftModifier,
                                                     Qt::ControlModifier | Qt::AltModifier};
        // Movement far more often than shifts, so edits land all over the song.
        const int k = Pick(0, 30) < 26 ? Pick(0, 7) : Pick(8, 10);
        view->SendKey(keys[k], mods[Pick(0, 4)]);
    }

    void RandomChar() {
        static const char chars[] = "0123456789012345xX*- hpbrstw/\\^~(<{|aZ\x04\x05\x0b\x12\x15\x08";
        view->answer = std::to_string(Pick(0, 300));
        view->SendChar(chars[Pick(0, sizeof(chars) - 2)]);
    }

    void RandomClick() {
        const int track = Pick(0, doc.TrackCount() - 1);
        const int space = Pick(0, 30);
        const int string = Pick(0, doc.Track(track).StringCount - 1);
        const QPoint at = CellCentre(track, space, string);
        if (at.x() < view->VisibleLeftEdge() || at.x() >= view->width()) return;
        QTest::mouseClick(view, Qt::LeftButton, Pick(0, 3) ? Qt::NoModifier : Qt::ShiftModifier, at);
    }

    void RandomCommand() {
        switch (Pick(0, 3)) {
            case 0: view->Copy(); break;
            case 1: view->Cut(); break;
            case 2: view->Clear(); break;
            default: view->Paste(); break;
        }
    }

    std::mt19937 rng;
};

struct TStep {
    std::vector<uint8_t> song;
    TEditCursor cursor;
};

TEST_P(EditorRandom, EveryStepUndoesToTheBytesBeforeIt) {
    const std::vector<uint8_t> original = Snapshot(doc);
    std::vector<TStep> steps;
    const auto undoOne = [&] {
        const TStep expected = steps.back();
        steps.pop_back();
        view->Undo();
        ASSERT_EQ(Snapshot(doc), expected.song) << steps.size() << " steps left";
        EXPECT_EQ(Cursor().Track, expected.cursor.Track);
        EXPECT_EQ(Cursor().Space, expected.cursor.Space);
        EXPECT_EQ(Cursor().String, expected.cursor.String);
    };
    for (int i = 0; i < 250; ++i) {
        if (!steps.empty() && Pick(0, 9) == 0) {
            ASSERT_NO_FATAL_FAILURE(undoOne());
            continue;
        }
        const size_t records = doc.Journal().RecordCount();
        std::vector<uint8_t> before = Snapshot(doc);
        // Three in ten a key, four a character, two a click, one a clipboard command.
        const int kind = Pick(0, 9);
        if (kind < 3)
            RandomKey();
        else if (kind < 7)
            RandomChar();
        else if (kind < 9)
            RandomClick();
        else
            RandomCommand();
        view->messages.clear();
        if (i % 16 == 0) QApplication::processEvents();  // lay out and paint what changed
        ASSERT_FALSE(doc.Journal().GroupOpen());
        if (doc.Journal().RecordCount() == records) continue;  // nothing, or merged into a space step
        const TUndoRecord* first = nullptr;
        for (size_t r = doc.Journal().RecordCount(); r-- > records;)
            if (doc.Journal().Record(r).RecFlags & RecFirstOfGroup) first = &doc.Journal().Record(r);
        ASSERT_NE(first, nullptr);
        steps.push_back({std::move(before), {first->ViewTrack, first->ViewSpace, first->ViewString}});
    }
    ASSERT_FALSE(doc.Journal().Truncated);
    while (!steps.empty()) ASSERT_NO_FATAL_FAILURE(undoOne());
    EXPECT_EQ(Snapshot(doc), original);
    EXPECT_TRUE(view->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditorRandom, testing::Values(1u, 2u, 3u, 4u), PrintedName());

}  // namespace
