// TTabEditorView: the cursor, its clamping and the one path of every cursor movement,
// and the time-range selection.
#include <QGuiApplication>
#include <algorithm>

#include "document/TabDoc.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"

namespace fretlo {

TEditCursor TTabEditorView::Cursor() const { return {cursor_.Track, cursor_.Space, cursor_.String}; }

// A string index the track has: -1 / -2 only with the top / bottom text line.
int TTabEditorView::ClampString(int track, int string) const {
    const TTrackData& t = doc_->Track(track);
    if (string >= t.StringCount) return t.StringCount - 1;
    if (string == -1 && !t.TopTextLine) return t.StringCount - 1;
    if (string <= -2 && !t.BottomTextLine) return 0;
    return std::max(string, -2);
}

bool TTabEditorView::ExtendMode(int flags) const {
    if (IsPlaying() || (flags & (csNoExtend | csTrackChanged))) return false;
    return dragging_ || (!(flags & csIgnoreShift) && inputShift_);
}

int TTabEditorView::SpaceAtOrAfter(int track, int32_t time) const { return doc_->SpaceAtTime(track, time); }

int TTabEditorView::SpaceAtOrBefore(int track, int32_t time) const {
    return doc_->SpaceAtTime(track, time, satBefore);
}

void TTabEditorView::SetCursorSpace(int space, int flags) {
    if (!Editable()) return;
    TTrackData& track = doc_->Track(cursor_.Track);
    const int count = track.SpaceCount();
    const bool extend = ExtendMode(flags);
    if (!extend) CollapseSelection();
    // The space count itself stands for the track's end, as an end of the selection only.
    const int target = std::clamp(space, 0, count);
    const int oldSpace = cursor_.Space;
    if (extend) {
        TSelection s = selection_;
        if (!s.Active) s.Anchor = track.SpaceTime(oldSpace);
        s.End = target < count ? track.SpaceTime(target) : track.TotalTime();
        s.Active = s.Anchor != s.End;
        if (!s.Active) s.AllTracks = false;
        SetSelection(s);
    }
    const QRect oldCaret = CaretRect();
    const int oldBar = doc_->BarOfSpace(cursor_.Track, oldSpace);
    cursor_.Space = std::min(target, count - 1);
    if (flags & csMovePlayer) player_.Seek(track.SpaceTime(cursor_.Space));
    if (!(flags & csNoHScroll)) {
        const bool barWise = editorOptions_.ScrollABar && !(flags & (csNoBarScroll | csTrackChanged)) &&
                             doc_->BarOfSpace(cursor_.Track, cursor_.Space) != oldBar;
        ScrollCursorIntoView(barWise);
    }
    MoveCaret(oldCaret);
    if (cursor_.Space != oldSpace && !(flags & csTrackChanged) && Ruler()) Ruler()->update();
    if (!(flags & csNoVScroll) && Scroller()) Scroller()->ShowTrack(cursor_.Track);
    UpdateStatusBar();
}

// Brings the cursor's column into sight with two spaces to spare on the left and nine on
// the right; bar-wise, the cursor's bar moves to the left edge instead.
void TTabEditorView::ScrollCursorIntoView(bool barWise) {
    const int32_t time = doc_->Track(cursor_.Track).SpaceTime(cursor_.Space);
    const auto [left, right] = Layout().ColumnExtent(time);
    const int margin = Metrics().SpaceWidth;
    const int pinned = Options().TuningAlwaysVisible ? Metrics().TuningColumnWidth : 0;
    const int viewLeft = ScrollOffset() + pinned;
    const int viewRight = ScrollOffset() + width();
    if (left - 2 * margin >= viewLeft && right + 9 * margin <= viewRight) return;
    if (barWise) {
        const int bar = doc_->BarOfSpace(cursor_.Track, cursor_.Space);
        const int barLeft = Layout().BarX(bar) - pinned;
        if (right - barLeft + pinned <= width()) {
            ScrollTo(barLeft);
            return;
        }
    }
    if (left - 2 * margin < viewLeft)
        ScrollTo(left - 2 * margin - pinned);
    else
        ScrollTo(right + 9 * margin - width());
}

void TTabEditorView::SetCursorTrack(int track) {
    if (!Editable()) return;
    CollapseSelection();
    const QRect oldCaret = CaretRect();
    cursor_.Track = std::clamp(track, 0, doc_->TrackCount() - 1);
    cursor_.Space = std::min(cursor_.Space, doc_->Track(cursor_.Track).SpaceCount() - 1);
    cursor_.String = ClampString(cursor_.Track, cursor_.String);
    MoveCaret(oldCaret);
    if (Ruler()) Ruler()->update();
}

void TTabEditorView::SetCursorString(int string) {
    if (!Editable()) return;
    const QRect oldCaret = CaretRect();
    cursor_.String = ClampString(cursor_.Track, string);
    MoveCaret(oldCaret);
    UpdateStatusBar();
}

void TTabEditorView::KeepCursorOnSpace(int space) {
    if (!Editable()) return;
    const QRect oldCaret = CaretRect();
    cursor_.Space = std::clamp(space, 0, doc_->Track(cursor_.Track).SpaceCount() - 1);
    MoveCaret(oldCaret);
    if (Ruler()) Ruler()->update();
    UpdateStatusBar();
}

// Page Up / Page Down: the new track's space at the old cursor time, or the next after it.
void TTabEditorView::ChangeTrack(int track) {
    const int32_t time = doc_->Track(cursor_.Track).SpaceTime(cursor_.Space);
    SetCursorTrack(track);
    SetCursorSpace(SpaceAtOrAfter(cursor_.Track, time), csTrackChanged);
}

void TTabEditorView::SpaceCountChanged(int track) {
    if (track == cursor_.Track) KeepCursorOnSpace(cursor_.Space);
    if (Scroller()) Scroller()->RequestUpdate(false);
}

// --- Selection ---------------------------------------------------------------------------

void TTabEditorView::SetSelection(const TSelection& selection) {
    const QRegion before = SelectionRegion(selection_);
    const bool wasActive = selection_.Active;
    selection_ = selection;
    // Only what changed is painted again: the exclusive-or of the old and new highlight.
    update(before.xored(SelectionRegion(selection_)));
    if (player_.Practice().LoopSelection && Ruler()) Ruler()->update();  // the loop follows it
    if (wasActive != selection_.Active) emit SelectionChanged(selection_.Active);
}

void TTabEditorView::CollapseSelection() {
    if (!selection_.Active && !selection_.AllTracks) return;
    SetSelection({});
}

void TTabEditorView::SetAllTracksSelection(bool on) {
    if (!selection_.Active || selection_.AllTracks == on) return;
    TSelection s = selection_;
    s.AllTracks = on;
    SetSelection(s);
}

}  // namespace fretlo
