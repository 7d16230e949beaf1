// What the editor draws over the tablature: the selection highlight and the caret, both
// by inverting the pixels; and the loop band in the ruler.
#include "view/EditorFixture.h"

#include <QImage>

#include "view/TabRuler.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class EditorPaint : public EditorTest {
protected:
    // A pixel of the background inside a cell: just below the cell's top, off its line.
    bool Inverted(int track, int space, int string) {
        const int x = view->SpaceX(track, space) + view->Layout().Space(track, space).Width / 2;
        const int y = StringCellTop(view->Layout().Band(track), view->Metrics(), string) + 1;
        return qGray(view->grab().toImage().pixel(x, y)) < 128;
    }
};

TEST_F(EditorPaint, SelectionInvertsItsSpacesOnItsTracksOnly) {
    view->SetCursorSpace(4, 0);
    Press("Shift+Right", 2);
    EXPECT_TRUE(Inverted(0, 4, 3));
    EXPECT_TRUE(Inverted(0, 5, 0));
    EXPECT_FALSE(Inverted(0, 3, 3));
    EXPECT_FALSE(Inverted(0, 7, 3));
    EXPECT_FALSE(Inverted(1, 4, 3));
    Press("Shift+PgDown");
    EXPECT_TRUE(Inverted(1, 4, 3));
    Press("Left");
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

// The band follows what Play would loop: the cursor's bar, else the selection.
TEST_F(EditorPaint, RulerMarksTheLoopWhileLoopSelectionIsOn) {
    // Below the longest tick, which hangs from the top.
    const auto rulerPixel = [this](int space) {
        TTabRuler* ruler = container->RulerParent()->Ruler();
        QImage image(ruler->size(), QImage::Format_RGB32);
        ruler->render(&image);
        const int x = view->SpaceX(0, space) + view->Layout().Space(0, space).Width / 2;
        return image.pixel(x, image.height() - 1);
    };
    view->SetCursorSpace(20, 0);
    const QRgb plain = rulerPixel(8);
    EXPECT_EQ(rulerPixel(24), plain);
    TPracticeChoice practice;
    practice.LoopSelection = true;
    view->SetPractice(practice);
    EXPECT_NE(rulerPixel(24), plain);
    EXPECT_EQ(rulerPixel(8), plain);
    EXPECT_EQ(rulerPixel(36), plain);
    view->SetCursorSpace(34, 0);
    Press("Shift+Right", 4);
    EXPECT_NE(rulerPixel(35), plain);
    EXPECT_EQ(rulerPixel(24), plain);
    EXPECT_EQ(rulerPixel(39), plain);
}

}  // namespace
