// The editor widget driven by the mouse: clicks, drag selection across tracks and
// auto-scroll, the right button, the wheel; and the track-effect hints.
#include "view/EditorFixture.h"

#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "document/TrackProps.h"
#include "playback/TrackEffectHint.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class EditorMouse : public EditorTest {
protected:
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        QTest::mousePress(view, button, mods, at);
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(view, button, {}, at);
    }
    // A move with the left button held (QTest's own moves carry no buttons).
    void DragTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    void Drag(QPoint from, QPoint to) {
        Press(from);
        DragTo(to);
        Release(to);
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
    EXPECT_FALSE(view->HasSelection());
    Press(QPoint(view->Metrics().TuningColumnWidth / 2, CellCentre(0, 0, 2).y()));
    EXPECT_EQ(At(), (std::array{1, 5, 3}));
}

TEST_F(EditorMouse, DragAcrossTracksTurnsOnAllTracksAndBackOffAndShiftClickExtends) {
    Press(CellCentre(0, 2, 1));
    DragTo(CellCentre(0, 6, 1));
    EXPECT_TRUE(view->HasSelection());
    EXPECT_FALSE(view->Selection().AllTracks);
    DragTo(CellCentre(1, 8, 1));
    EXPECT_TRUE(view->Selection().AllTracks);
    EXPECT_EQ(At(), (std::array{0, 8, 1}));  // the cursor stays on its track
    DragTo(CellCentre(0, 8, 1));
    EXPECT_FALSE(view->Selection().AllTracks);
    Release(CellCentre(0, 8, 1));
    EXPECT_EQ(Selected(), std::pair(2, 8));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, CellCentre(0, 10, 0));
    EXPECT_EQ(Selected(), std::pair(2, 10));  // Shift+click extends it
}

TEST_F(EditorMouse, DraggingPastTheRightEdgeAutoScrolls) {
    Press(CellCentre(0, 2, 0));
    DragTo(QPoint(view->width() + 20, CellCentre(0, 2, 0).y()));
    const int before = Cursor().Space;
    QTRY_VERIFY(view->ScrollOffset() > 0 && Cursor().Space > before + 2);
    Release(QPoint(view->width() + 20, 0));
    const int after = Cursor().Space;
    QTest::qWait(100);
    EXPECT_EQ(Cursor().Space, after);  // stopped with the button
    EXPECT_TRUE(view->HasSelection());
}

TEST_F(EditorMouse, RightClickKeepsASelectionOnTheCursorTrackAndMovesElsewhere) {
    QMenu menu;  // shown instead of the view's own, closed at once
    view->SetContextMenu(&menu);
    Drag(CellCentre(0, 2, 0), CellCentre(0, 6, 0));
    Press(CellCentre(0, 3, 0), Qt::RightButton);
    EXPECT_TRUE(view->HasSelection());
    Press(CellCentre(1, 9, 2), Qt::RightButton);
    EXPECT_FALSE(view->HasSelection());
    EXPECT_EQ(At(), (std::array{1, 9, 2}));
    Release(CellCentre(1, 9, 2), Qt::RightButton);
    EXPECT_TRUE(menu.isVisible());
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

TEST_F(EditorMouse, HoverOverTheTrackEffectLineShowsTheHint) {
    AddPropNode(doc.Track(1).Space(3), pkVolume, 90);
    AddPropNode(doc.Track(1).Space(3), pkStrokeDown, 0);
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
    EXPECT_EQ(QToolTip::text(), "Stroke Down\nVolume Change: 90");
    hover(4, band.EffectLineY + 1);
    QTRY_VERIFY(!QToolTip::isVisible());
    hover(3, band.StringTop + 1);
    QTest::qWait(400);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST(TrackEffectHint, OneLinePerEffectInListOrder) {
    TTrackData track(false, 4);
    TSpace& space = track.Space(0);
    EXPECT_EQ(TrackEffectHint(track, space), "");
    AddPropNode(space, pkStrokeUp, 0);
    AddPropNode(space, pkTempo, 96);
    AddPropNode(space, pkInstrument, 25);
    AddPropNode(space, pkPitchBend, static_cast<uint16_t>(-200));
    EXPECT_EQ(TrackEffectHint(track, space),
              "Stroke Up\nTempo Change: 96\nInstrument Change: 25 - Acoustic Guitar "
              "(steel)  (Let ring)\nPitch Bend Change: -200");
    // A drum track names the kit; let ring off says nothing.
    track.MidiChannel = PercussionChannel;
    AddPropNode(track.Space(1), pkInstrument, 0 | InstrumentNoRing);
    EXPECT_EQ(TrackEffectHint(track, track.Space(1)), "Instrument Change: 0 - Standard");
}

}  // namespace
