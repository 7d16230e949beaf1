// TTabEditorView: its side of the player bridge: what TEditorPlayer asks of the view.
#include "document/TabDoc.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"

namespace fretlo {

std::optional<TPlayCursor> TTabEditorView::PlayCursor() const {
    if (!Editable()) return std::nullopt;
    return TPlayCursor{cursor_.Track, doc_->Track(cursor_.Track).SpaceTime(cursor_.Space)};
}

void TTabEditorView::ClearPlayMarks() { ClearPlaybackDisplay(); }

void TTabEditorView::ShowPlayMarks(int track, int playedSpace, int noteSpace) {
    if (!Editable()) return;
    const int count = doc_->Track(track).SpaceCount();
    const auto mark = [count](int space) { return space < count ? space : -1; };
    if (Options().MovingBar) SetMovingBar(track, mark(playedSpace));
    if (Options().HighlightNotes) SetHighlight(track, mark(noteSpace));
}

void TTabEditorView::FollowPlayPosition(int32_t time) {
    if (!Editable()) return;
    const int space = SpaceAtOrBefore(cursor_.Track, time);
    if (space != cursor_.Space) SetCursorSpace(space, csNoVScroll);
}

void TTabEditorView::RewindTo(int32_t time) {
    if (Editable()) SetCursorSpace(SpaceAtOrBefore(cursor_.Track, time), csNoExtend);
}

void TTabEditorView::ShowPlayerMessage(const std::string& text) {
    ShowMessage(text, EditMessageCaption, TMsgIcon::Error, TMsgButtons::Ok);
}

void TTabEditorView::ShowPreviewNotice(const std::string& text) {
    emit PreviewNotice(QString::fromStdString(text));
}

// The caret hides during playback when HideCursorWhilePlaying is on.
void TTabEditorView::PlayingStateChanged(bool playing) {
    emit PlayingChanged(playing);
    update(CaretRect());
}

void TTabEditorView::PlayerStateChanged(bool exists) { emit PlayerExistsChanged(exists); }

}  // namespace fretlo
