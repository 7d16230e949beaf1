// The editor widget driven by the mouse: clicks, drag selection across tracks and
// auto-scroll, the right button, the wheel; the track-effect hints; and what the editor
// draws over the tablature: the selection and the caret by inverting pixels, the loop band.
#include "view/EditorFixture.h"

#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "document/TrackProps.h"
#include "playback/TrackEffectHint.h"
#include "view/TabRuler.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class EditorMouse : public EditorTest {
protected:
    using EditorTest::Press;
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(view, button, {}, at);
    }
    // A move with the left button held (QTest's own moves carry no buttons).
    void DragTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    void Wheel(int delta, Qt::KeyboardModifiers mods = {}) {
        const QPoint at = CellCentre(0, 2, 0);
        QWheelEvent e(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
    }
};

TEST_F(EditorMouse, ClickPutsTheCursorOnTheCellButNotFromTheTuningColumn) {
    QTest::mouseClick(view, Qt::LeftButton, {}, CellCentre(1, 5, 3));
    EXPECT_EQ(At(), (std::array{1, 5, 3}));
    Press(QPoint(view->Metrics().TuningColumnWidth / 2, CellCentre(0, 0, 2).y()));
    EXPECT_EQ(At(), (std::array{1, 5, 3}));
}

TEST_F(EditorMouse, DragAcrossTracksTurnsOnAllTracksAndBackOffAndShiftClickExtends) {
    Press(CellCentre(0, 2, 1));
    DragTo(CellCentre(0, 6, 1));
    EXPECT_FALSE(view->Selection().AllTracks);
    DragTo(CellCentre(1, 8, 1));
    EXPECT_TRUE(view->Selection().AllTracks);
    EXPECT_EQ(At(), (std::array{0, 8, 1}));  // the cursor stays on its track
    DragTo(CellCentre(0, 8, 1));
    EXPECT_FALSE(view->Selection().AllTracks);
    QTest::mouseRelease(view, Qt::LeftButton, {}, CellCentre(0, 8, 1));
    EXPECT_EQ(Selected(), std::pair(2, 8));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, CellCentre(0, 10, 0));
    EXPECT_EQ(Selected(), std::pair(2, 10));  // Shift+click extends it
}

TEST_F(EditorMouse, DraggingPastTheRightEdgeAutoScrolls) {
    Press(CellCentre(0, 2, 0));
    DragTo(QPoint(view->width() + 20, CellCentre(0, 2, 0).y()));
    const int before = Cursor().Space;
    QTRY_VERIFY(view->ScrollOffset() > 0 && Cursor().Space > before + 2);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(view->width() + 20, 0));
    const int after = Cursor().Space;
    QTest::qWait(100);
    EXPECT_EQ(Cursor().Space, after);  // stopped with the button
    EXPECT_TRUE(view->HasSelection());
}

// The window's own menu is shown (tests/shell); here a stand-in, closed at once.
TEST_F(EditorMouse, RightClickKeepsASelectionOnTheCursorTrackAndMovesElsewhere) {
    QMenu menu;
    view->SetContextMenu(&menu);
    view->SetCursorSpace(2, 0);
    Press("Shift+Right", 4);
    Press(CellCentre(0, 3, 0), Qt::RightButton);
    EXPECT_TRUE(view->HasSelection());
    Press(CellCentre(1, 9, 2), Qt::RightButton);
    EXPECT_FALSE(view->HasSelection());
    EXPECT_EQ(At(), (std::array{1, 9, 2}));
    QTest::mouseRelease(view, Qt::RightButton, {}, CellCentre(1, 9, 2));
    menu.close();
}

TEST_F(EditorMouse, WheelScrollsHalfAWindowSidewaysUnlessShiftOrVerticalMode) {
    Wheel(-120);
    EXPECT_EQ(view->ScrollOffset(), view->width() / 2);
    Wheel(120);
    EXPECT_EQ(view->ScrollOffset(), 0);
    Wheel(-120, Qt::ShiftModifier);  // vertical: nothing sideways
    EXPECT_EQ(view->ScrollOffset(), 0);
    TEditorOptions o = view->EditorOptions();
    o.MouseWheelVert = true;
    view->SetEditorOptions(o);
    Wheel(-120);
    EXPECT_EQ(view->ScrollOffset(), 0);
    Wheel(-120, Qt::ShiftModifier);
    EXPECT_EQ(view->ScrollOffset(), view->width() / 2);
}

// Only over the effect line of a space with track effects.
TEST_F(EditorMouse, HoverOverTheTrackEffectLineShowsTheHint) {
    AddPropNode(doc.Track(1).Space(3), pkVolume, 90);
    view->InvalidateSpaces(1, 3, 3);
    QApplication::processEvents();
    const TTrackBand& band = view->Layout().Band(1);
    const auto hover = [&](int space, int y) {
        const QPoint at(CellCentre(1, space, 0).x(), y);
        QHelpEvent e(QEvent::ToolTip, at, view->mapToGlobal(at));
        QApplication::sendEvent(view, &e);
    };
    hover(3, band.EffectLineY + 1);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Volume Change: 90");
    hover(4, band.EffectLineY + 1);
    QTRY_VERIFY(!QToolTip::isVisible());
    hover(3, band.StringTop + 1);
    QTest::qWait(400);
    EXPECT_FALSE(QToolTip::isVisible());
}

// An instrument of a melodic track, and the Volume line, are checked through the Track Effects
// dialog in tests/shell.
TEST(TrackEffectHint, OneLinePerEffectInListOrder) {
    TTrackData track(false, 4);
    TSpace& space = track.Space(0);
    EXPECT_EQ(TrackEffectHint(track, space), "");
    AddPropNode(space, pkStrokeUp, 0);
    AddPropNode(space, pkTempo, 96);
    AddPropNode(space, pkPitchBend, static_cast<uint16_t>(-200));
    EXPECT_EQ(TrackEffectHint(track, space), "Stroke Up\nTempo Change: 96\nPitch Bend Change: -200");
    // A drum track names the kit; let ring off says nothing.
    track.MidiChannel = PercussionChannel;
    AddPropNode(track.Space(1), pkInstrument, 0 | InstrumentNoRing);
    EXPECT_EQ(TrackEffectHint(track, track.Space(1)), "Instrument Change: 0 - Standard");
}

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

// What Play would loop (tests/shell checks the range: the cursor's bar, else the selection)
// is painted below the longest tick, which hangs from the top.
TEST_F(EditorPaint, RulerMarksTheLoopWhileLoopSelectionIsOn) {
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
}

}  // namespace
