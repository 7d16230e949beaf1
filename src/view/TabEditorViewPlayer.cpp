// TTabEditorView: its side of the player bridge: what TEditorPlayer asks of the view, and
// the practice choices with the loop mark and the speed on the status bar.
#include "document/TabDoc.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"

namespace fretlo {

std::optional<TPlayCursor> TTabEditorView::PlayCursor() const {
    if (!Editable()) return std::nullopt;
    return TPlayCursor{cursor_.Track, doc_->Track(cursor_.Track).SpaceTime(cursor_.Space)};
}

std::optional<TTimeRange> TTabEditorView::LoopRange() const {
    if (!Editable()) return std::nullopt;
    if (selection_.Active && selection_.High() > selection_.Low())
        return TTimeRange{selection_.Low(), selection_.High()};
    const TBar& bar = doc_->Bar(doc_->BarOfSpace(cursor_.Track, cursor_.Space));
    return TTimeRange{bar.Start, bar.End};
}

std::optional<TTimeRange> TTabEditorView::LoopMark() const {
    if (!player_.Practice().LoopSelection) return std::nullopt;
    return IsPlaying() ? player_.PlayingLoop() : LoopRange();
}

void TTabEditorView::SetPractice(const TPracticeChoice& practice) {
    player_.SetPractice(practice);
    if (Ruler()) Ruler()->update();
    emit StatusChanged();
}

QString TTabEditorView::PracticeStatus() const {
    const std::optional<TPracticeState> playing = player_.PlayingPractice();
    const int speed = playing ? playing->Speed : player_.Practice().Speed;
    if (playing && player_.Practice().Trainer)
        return QStringLiteral(" Speed: %1 %, pass %2").arg(speed).arg(playing->Pass + 1);
    if (speed == NormalSpeed) return {};
    return QStringLiteral(" Speed: %1 %").arg(speed);
}

void TTabEditorView::SetSpeed(int percent) {
    player_.SetSpeed(percent);
    emit StatusChanged();
}

void TTabEditorView::PracticeStateChanged() { emit StatusChanged(); }

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
    if (Ruler()) Ruler()->update();
    emit StatusChanged();
}

void TTabEditorView::PlayerStateChanged(bool exists) { emit PlayerExistsChanged(exists); }

}  // namespace fretlo
