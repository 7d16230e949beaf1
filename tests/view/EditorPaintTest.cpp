// What the editor draws over the tablature: the selection highlight and the caret, both
// by inverting the pixels.
#include "view/EditorFixture.h"

#include <QImage>

using namespace fretlo;
using namespace fretlo::test;

namespace {

class EditorPaint : public EditorTest {
protected:
    // A pixel of the background inside a cell: just below the cell's top, off its line.
    bool Inverted(int track, int space, int string) {
        const QImage image = view->grab().toImage();
        const TTrackBand& band = view->Layout().Band(track);
        const int x = view->SpaceX(track, space) + view->Layout().Space(track, space).Width / 2;
        const int y = StringCellTop(band, view->Metrics(), string) + 1;
        return qGray(image.pixel(x, y)) < 128;
    }
};

TEST_F(EditorPaint, SelectionInvertsItsSpacesOnItsTracksOnly) {
    view->SetCursorSpace(4, 0);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(Inverted(0, 4, 3));
    EXPECT_TRUE(Inverted(0, 5, 0));
    EXPECT_FALSE(Inverted(0, 3, 3));
    EXPECT_FALSE(Inverted(0, 7, 3));
    EXPECT_FALSE(Inverted(1, 4, 3));
    Key(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_TRUE(Inverted(1, 4, 3));
    Key(Qt::Key_Left);
    EXPECT_FALSE(Inverted(0, 4, 3));
    EXPECT_FALSE(Inverted(1, 4, 3));
}

TEST_F(EditorPaint, CaretMarksTheCursorCellWhileFocused) {
    view->SetCursorSpace(3, 0);
    view->SetCursorString(2);
    ASSERT_TRUE(view->hasFocus());
    EXPECT_TRUE(Inverted(0, 3, 2));
    EXPECT_FALSE(Inverted(0, 3, 1));
    view->clearFocus();
    EXPECT_FALSE(Inverted(0, 3, 2));
}

}  // namespace
