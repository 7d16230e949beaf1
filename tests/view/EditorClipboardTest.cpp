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
        Press("Shift+Right", last - first + 1);
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

TEST_F(EditorClipboard, CutEmptiesTheSelectionAndClearWithoutOneClearsTheCell) {
    Note(0, 8, 0) = NoteFretBase + 4;
    SelectSpaces(8, 9);
    view->Cut();
    EXPECT_EQ(Note(0, 8, 0), NoteEmpty);
    EXPECT_FALSE(ClipboardData().isEmpty());
    EXPECT_EQ(doc.UndoCaptionNow().Text, "&Undo Cut");
    Press("Right");
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
