// Copy, Cut, Clear and Paste through the editor widget and the real QClipboard.
#include "view/EditorFixture.h"

#include <QClipboard>
#include <QMimeData>

#include "edit/Clipboard.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class EditorClipboard : public EditorTest {
protected:
    // Selects spaces [first, last] of the cursor track with Shift+Right, as a user does.
    void SelectSpaces(int first, int last) {
        view->SetCursorSpace(first, 0);
        for (int i = first; i <= last; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    }
    QByteArray ClipboardData() {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data ? data->data(ClipboardMimeType) : QByteArray();
    }
};

TEST_F(EditorClipboard, CopyPutsTheBlockOnTheSystemClipboardAndPasteReadsItBack) {
    Note(0, 2, 1) = NoteFretBase + 3;
    Note(0, 3, 4) = NoteMuted;
    SelectSpaces(2, 3);
    view->Copy();
    const QByteArray bytes = ClipboardData();
    ASSERT_FALSE(bytes.isEmpty());
    const auto block = DecodeClipBlock(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Length, 2 * UnitsPerSpace);
    ASSERT_EQ(block->Tracks.size(), 1u);
    EXPECT_EQ(block->Tracks[0].SpaceCount(), 2);

    view->SetCursorSpace(40, 0);
    view->Paste();
    EXPECT_EQ(Note(0, 40, 1), NoteFretBase + 3);
    EXPECT_EQ(Note(0, 41, 4), NoteMuted);
    EXPECT_EQ(doc.UndoCaptionNow().Text, "&Undo Paste");
}

TEST_F(EditorClipboard, ATripletCopiedOntoEighthsReplacesTheSameTime) {
    // Three spaces in the time of two sixteenths; one more space keeps the track's length.
    doc.Track(0).SetRatio(4, 3, 2, 3);
    doc.Track(0).SetSpaceCount(doc.Track(0).SpaceCount() + 1);
    Note(0, 4, 0) = NoteFretBase + 1;
    Note(0, 5, 0) = NoteFretBase + 2;
    Note(0, 6, 0) = NoteFretBase + 3;
    SelectSpaces(4, 6);
    view->Copy();
    // Paste on track 1 over ordinary spaces at 32..33: the two sixteenths become the triplet.
    view->SetCursorTrack(1);
    view->SetCursorSpace(32, csTrackChanged);
    const int count = doc.Track(1).SpaceCount();
    const int32_t laterTime = doc.Track(1).SpaceTime(34);
    view->Paste();
    EXPECT_EQ(doc.Track(1).SpaceCount(), count + 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Note(1, 32 + i, 0), NoteFretBase + 1 + i) << i;
        EXPECT_EQ(doc.Track(1).Space(32 + i).RatioDen, 3);
    }
    EXPECT_EQ(doc.Track(1).SpaceTime(35), laterTime);
    view->Undo();
    EXPECT_EQ(doc.Track(1).SpaceCount(), count);
    EXPECT_EQ(Note(1, 32, 0), NoteEmpty);
}

TEST_F(EditorClipboard, CutEmptiesTheSelectionAndClearWithoutOneClearsTheCell) {
    Note(0, 8, 0) = NoteFretBase + 4;
    SelectSpaces(8, 9);
    view->Cut();
    EXPECT_EQ(Note(0, 8, 0), NoteEmpty);
    EXPECT_FALSE(ClipboardData().isEmpty());
    EXPECT_EQ(doc.UndoCaptionNow().Text, "&Undo Cut");
    Key(Qt::Key_Right);
    Type("6");
    view->Clear();
    EXPECT_EQ(Note(0, Cursor().Space, 0), NoteEmpty);
}

TEST_F(EditorClipboard, PasteOfForeignClipboardContentChangesNothing) {
    QGuiApplication::clipboard()->setText("just text");
    view->Paste();
    EXPECT_TRUE(view->messages.empty());
    EXPECT_TRUE(doc.Journal().Empty());

    auto* damaged = new QMimeData;
    damaged->setData(ClipboardMimeType, QByteArray("\0\0\0\0\x18\0\0\0", 8));
    QGuiApplication::clipboard()->setMimeData(damaged);
    view->Paste();
    ASSERT_EQ(view->messages.size(), 1u);
    EXPECT_EQ(view->messages[0].rfind("Unrecognized clipboard format", 0), 0u);
    EXPECT_TRUE(doc.Journal().Empty());
}

}  // namespace
