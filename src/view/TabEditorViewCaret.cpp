// TTabEditorView: the caret and the selection highlight, both drawn by inverting the
// painted tablature after every paint.
#include <QFocusEvent>
#include <QPainter>

#include "document/TabDoc.h"
#include "edit/EditSelection.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"

namespace fretlo {

// The cursor space's content box on the cursor's line; empty when out of sight.
QRect TTabEditorView::CaretRect() {
    if (!Editable() || cursor_.Track >= doc_->TrackCount() || !Layout().TrackShown(cursor_.Track) ||
        cursor_.Space >= doc_->Track(cursor_.Track).SpaceCount())
        return {};
    const TTrackBand& band = Layout().Band(cursor_.Track);
    const int spaceX = SpaceX(cursor_.Track, cursor_.Space);
    const TSpaceLayout& space = Layout().Space(cursor_.Track, cursor_.Space);
    const int x = spaceX + space.PreWidth;
    if (x < VisibleLeftEdge() || x >= VisibleWidth()) return {};
    const int y = cursor_.String >= 0    ? StringCellTop(band, Metrics(), cursor_.String)
                  : cursor_.String == -1 ? band.TopTextY
                                         : band.BottomTextY;
    return QRect(x, y, space.ContentWidth, Metrics().LineHeight);
}

bool TTabEditorView::CaretShown() const {
    return hasFocus() && !(IsPlaying() && editorOptions_.HideCursorWhilePlaying);
}

// After the cursor moved: the old place and the new are painted again, and the caret
// starts a new blink in its visible phase.
void TTabEditorView::MoveCaret(const QRect& oldCaret) {
    const QRect now = CaretRect();
    if (now == oldCaret && caretOn_) return;
    update(oldCaret);
    caretOn_ = true;
    update(now);
    if (CaretShown() && caretTimer_.interval() > 0) caretTimer_.start();
}

void TTabEditorView::focusInEvent(QFocusEvent* e) {
    TTabView::focusInEvent(e);
    caretOn_ = true;
    if (caretTimer_.interval() > 0) caretTimer_.start();
    update(CaretRect());
}

void TTabEditorView::focusOutEvent(QFocusEvent* e) {
    TTabView::focusOutEvent(e);
    caretTimer_.stop();
    update(CaretRect());
}

// The selected spaces of every selected track, in screen coordinates, clipped to the
// music area. Only spaces in sight are measured, so a long selection costs no layout.
QRegion TTabEditorView::SelectionRegion(const TSelection& selection) {
    QRegion region;
    if (!selection.Active || !Editable()) return region;
    const QRect music(VisibleLeftEdge(), 0, VisibleWidth() - VisibleLeftEdge(), height());
    if (music.isEmpty()) return region;
    const TTrackRange tracks = SelectedTracks(*doc_, selection, cursor_.Track);
    for (int t = tracks.First; t <= tracks.Last; ++t) {
        const auto run = SpacesInRange(*doc_, t, selection.Low(), selection.High());
        if (!run || !Layout().TrackShown(t)) continue;
        const int first = std::max(run->First, SpaceAtX(t, music.left()));
        const int last = std::min(run->Last, SpaceAtX(t, music.right()));
        if (first > last || first >= doc_->Track(t).SpaceCount()) continue;
        const int left = SpaceX(t, first);
        const int right = SpaceX(t, last) + Layout().Space(t, last).Width;
        const TTrackBand& band = Layout().Band(t);
        region +=
            QRect(left, band.StringTop, right - left, band.StringBottom - band.StringTop).intersected(music);
    }
    return region;
}

void TTabEditorView::PaintWithOverlays(QPainter& p, const QRect& clip) {
    TTabView::PaintWithOverlays(p, clip);
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const QRect& r : SelectionRegion(selection_).intersected(clip)) p.fillRect(r, Qt::white);
    if (CaretShown() && caretOn_) p.fillRect(CaretRect().intersected(clip), Qt::white);
    p.restore();
}

}  // namespace fretlo
