// TTabView: the playback display: a moving box around the space now playing and
// the highlighted numbers of the notes now sounding.
#include <QPainter>

#include "document/TabDoc.h"
#include "view/TabView.h"

namespace fretlo {

void TTabView::SetMovingBar(int track, int space) {
    if (movingBar_[track] == space) return;
    if (movingBar_[track] >= 0) update(SpaceRect(track, movingBar_[track]).adjusted(-1, -1, 2, 2));
    movingBar_[track] = space;
    if (space >= 0) update(SpaceRect(track, space).adjusted(-1, -1, 2, 2));
}

void TTabView::SetHighlight(int track, int space) {
    if (highlight_[track] == space) return;
    const int old = highlight_[track];
    highlight_[track] = space;
    if (old >= 0) RedrawSpace(track, old);
    if (space >= 0) RedrawSpace(track, space);
}

void TTabView::ClearPlaybackDisplay() {
    for (int t = 0; t < MaxTracks; ++t) {
        SetMovingBar(t, -1);
        SetHighlight(t, -1);
    }
}

void TTabView::RedrawSpace(int track, int space) { update(SpaceRect(track, space)); }

// The space's column between the top and bottom of its strings, in screen coordinates.
QRect TTabView::SpaceRect(int track, int space) {
    TCustomTabDoc* doc = Document();
    if (!doc || track >= doc->TrackCount() || space >= doc->Track(track).SpaceCount() ||
        !layout_.TrackShown(track))
        return {};
    const TTrackBand& band = layout_.Band(track);
    const int x = SpaceX(track, space);
    return QRect(x, band.StringTop, layout_.Space(track, space).Width, band.StringBottom - band.StringTop);
}

// Each box inverts the pixels of a hollow rectangle, so drawing it twice would erase it.
void TTabView::PaintMovingBars(QPainter& p) {
    if (!options_.MovingBar) return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (int t = 0; t < MaxTracks; ++t) {
        if (movingBar_[t] < 0) continue;
        const QRect r = SpaceRect(t, movingBar_[t]);
        if (r.isEmpty()) continue;
        const int l = r.left() - 1, tp = r.top() - 1, rt = r.right() + 2, bt = r.bottom() + 2;
        p.fillRect(QRect(QPoint(l, tp), QPoint(rt, tp)), Qt::white);
        p.fillRect(QRect(QPoint(l, bt), QPoint(rt, bt)), Qt::white);
        p.fillRect(QRect(QPoint(l, tp + 1), QPoint(l, bt - 1)), Qt::white);
        p.fillRect(QRect(QPoint(rt, tp + 1), QPoint(rt, bt - 1)), Qt::white);
    }
    p.restore();
}

}  // namespace fretlo
