// TTabEditorView: the mouse: hit test, click, drag selection with auto-scroll, the right
// button's menu, the wheel and the hints of the track-effect line.
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include "document/TabDoc.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"
#include "playback/TrackEffectHint.h"

namespace fretlo {

bool TTabEditorView::InMusicArea(int x) const { return x >= VisibleLeftEdge() && x < VisibleWidth(); }

int TTabEditorView::TrackAtY(int y) {
    const int last = doc_->TrackCount() - 1;
    for (int t = 0; t < last; ++t)
        if (Layout().Band(t).BandBottom + Metrics().TrackMargin > y) return t;
    return last;
}

// The last space whose left edge is at or left of screen x, or the space count when x
// lies right of the last space.
int TTabEditorView::SpaceAtX(int track, int x) {
    TTabLayout& layout = Layout();
    const int songX = x + ScrollOffset();
    int lo = 0;
    int hi = std::max(layout.LaidOutUpTo(), 1);
    while (hi - lo > 1) {  // the last laid-out bar starting at or left of songX
        const int mid = (lo + hi) / 2;
        (layout.Bar(mid).X <= songX ? lo : hi) = mid;
    }
    int bar = lo;
    while (bar + 1 < doc_->BarCount() && layout.BarX(bar + 1) <= songX) ++bar;
    const int count = doc_->Track(track).SpaceCount();
    const int first = doc_->SpaceAtTime(track, doc_->Bar(bar).Start);
    int space = std::max(first - 1, 0);
    while (space + 1 < count && SpaceX(track, space + 1) <= x) ++space;
    if (space == count - 1 && x >= SpaceX(track, space) + layout.Space(track, space).Width) return count;
    return space;
}

TTabEditorView::THit TTabEditorView::HitTest(QPoint pos, bool dragging) {
    THit hit{TrackAtY(pos.y()), cursor_.Space, cursor_.String};
    const TTrackData& track = doc_->Track(hit.Track);
    const TTrackBand& band = Layout().Band(hit.Track);
    if (pos.y() < band.StringTop) {
        if (track.TopTextLine) hit.String = -1;
    } else if (pos.y() < band.StringBottom) {
        hit.String = (band.StringBottom - 1 - pos.y()) / Metrics().LineHeight;
    } else if (track.BottomTextLine) {
        hit.String = -2;
    }
    hit.Space = SpaceAtX(dragging ? cursor_.Track : hit.Track, pos.x());
    return hit;
}

// Puts the cursor on the clicked cell, moving to its track first.
void TTabEditorView::MoveToHit(const THit& hit) {
    int flags = csNoBarScroll | csMovePlayer;
    if (hit.Track != cursor_.Track) {
        SetCursorTrack(hit.Track);
        flags |= csTrackChanged;
    }
    SetCursorString(hit.String);
    SetCursorSpace(hit.Space, flags);
}

void TTabEditorView::mousePressEvent(QMouseEvent* e) {
    if (!Editable()) return;
    const QPoint pos = e->position().toPoint();
    if (!InMusicArea(pos.x())) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const TInputShift shiftScope(*this, shift);
    if (e->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        if (selection_.Active && shift)
            SetCursorSpace(HitTest(pos, true).Space, csNoBarScroll | csMovePlayer);
        else
            MoveToHit(HitTest(pos, false));
        dragging_ = true;
        lastMouse_ = pos;
    } else if (e->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        const THit hit = HitTest(pos, false);
        if (selection_.Active && (hit.Track == cursor_.Track || selection_.AllTracks)) return;
        CollapseSelection();
        const TInputShift noShift(*this, false);
        MoveToHit(hit);
    }
}

void TTabEditorView::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_ || !Editable()) return;
    lastMouse_ = e->position().toPoint();
    if (!InMusicArea(lastMouse_.x())) {
        if (!autoScrollTimer_.isActive()) autoScrollTimer_.start();
        return;
    }
    autoScrollTimer_.stop();
    const THit hit = HitTest(lastMouse_, true);
    SetCursorSpace(hit.Space, csNoBarScroll | csMovePlayer);
    SetAllTracksSelection(hit.Track != cursor_.Track);
}

// Every 33 ms while the mouse is held outside the music area: one step toward it.
void TTabEditorView::AutoScroll() {
    if (!dragging_ || !Editable()) {
        autoScrollTimer_.stop();
        return;
    }
    const bool right = lastMouse_.x() >= VisibleWidth();
    const int edge = right ? VisibleWidth() - 1 : VisibleLeftEdge();
    const int before = cursor_.Space;
    const int scrolled = ScrollOffset();
    const int flags = csNoBarScroll | csMovePlayer;
    SetCursorSpace(SpaceAtX(cursor_.Track, edge), flags);
    if (cursor_.Space == before && ScrollOffset() == scrolled)
        SetCursorSpace(before + (right ? 1 : -1), flags);
}

void TTabEditorView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        dragging_ = false;
        autoScrollTimer_.stop();
    } else if (e->button() == Qt::RightButton && Editable() && InMusicArea(e->position().toPoint().x())) {
        ShowContextMenu(e->globalPosition().toPoint());
    }
}

void TTabEditorView::ShowContextMenu(QPoint globalPos) {
    if (contextMenu_) contextMenu_->popup(globalPos);
}

// The wheel scrolls vertically with Shift (or without it when MouseWheelVert is on, or
// always during playback); otherwise each notch moves half a window sideways.
void TTabEditorView::wheelEvent(QWheelEvent* e) {
    const QPoint angle = e->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    if (IsPlaying() || shift != editorOptions_.MouseWheelVert) {
        if (Scroller()) {
            QScrollBar* bar = Scroller()->verticalScrollBar();
            bar->setValue(bar->value() - (delta * 121 + (delta < 0 ? -60 : 60)) / 120);
        }
    } else {
        wheelRest_ += delta;
        for (; wheelRest_ <= -120; wheelRest_ += 120) ScrollTo(ScrollOffset() + width() / 2);
        for (; wheelRest_ >= 120; wheelRest_ -= 120) ScrollTo(ScrollOffset() - width() / 2);
    }
    e->accept();
}

bool TTabEditorView::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return TTabView::event(e);
    if (!ShowTrackEffectHint(static_cast<QHelpEvent*>(e))) {
        QToolTip::hideText();
        e->ignore();
    }
    return true;
}

// Over the track-effect line of a space with track effects: what they are.
bool TTabEditorView::ShowTrackEffectHint(QHelpEvent* e) {
    if (!Editable() || !InMusicArea(e->pos().x())) return false;
    const int track = TrackAtY(e->pos().y());
    const TTrackBand& band = Layout().Band(track);
    if (e->pos().y() < band.EffectLineY || e->pos().y() >= band.EffectLineY + Metrics().EffectLineHeight)
        return false;
    const int space = SpaceAtX(track, e->pos().x());
    if (space >= doc_->Track(track).SpaceCount()) return false;
    const std::string hint = TrackEffectHint(doc_->Track(track), doc_->Track(track).Space(space));
    if (hint.empty()) return false;
    const QRect column(SpaceX(track, space), band.EffectLineY, Layout().Space(track, space).Width,
                       Metrics().EffectLineHeight);
    // Shown at least 4 seconds; Qt's own time grows with the text.
    QToolTip::showText(e->globalPos(), QString::fromStdString(hint), this, column,
                       std::max(4000, 10000 + 40 * static_cast<int>(hint.size())));
    return true;
}

}  // namespace fretlo
