// TTabEditorView: the bridge to the player: Play, StopPlaying, CloseDevice, note preview,
// and the notices the player and other instances post to the view.
#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>

#include "document/TabDoc.h"
#include "platform/ThreadTimer.h"
#include "playback/Player.h"
#include "view/EditorPlayerEvents.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"

namespace fretlo {

bool TTabEditorView::IsPlaying() const { return player_ && player_->Playing() && !player_->Preview(); }

bool TTabEditorView::Play(bool allTracks, bool preview) {
    if (!Editable()) return false;
    if (player_ && player_->Playing()) {
        if (!player_->Preview()) return false;
        StopPlaying();
    }
    QCoreApplication::removePostedEvents(this, PositionEventType);
    events_->PositionPending.store(0);
    if (!player_ && !OpenPlayer(preview)) return false;
    if (!preview) CollapseSelection();
    playFirstTrack_ = allTracks ? 0 : cursor_.Track;
    playLastTrack_ = allTracks ? doc_->TrackCount() - 1 : cursor_.Track;
    ClearPlaybackDisplay();
    playStartTime_ = doc_->Track(cursor_.Track).SpaceTime(cursor_.Space);
    try {
        player_->SetPlayRange(playFirstTrack_, playLastTrack_);
        player_->SetSettings(playerSettings_);
        player_->PlayFrom(playStartTime_, preview);
    } catch (const EFretloError& e) {
        playLastTrack_ = -1;
        ShowMessage(e.what(), EditMessageCaption, TMsgIcon::Error, TMsgButtons::Ok);
        return false;
    }
    if (preview) {
        previewTimer_.start();
    } else {
        emit PlayingChanged(true);
        update(CaretRect());
    }
    return true;
}

// Creates the player on the chosen device; a preview without any device stays silent.
bool TTabEditorView::OpenPlayer(bool preview) {
    if (preview && previewOpenFailed_) return false;
    if (!preview) previewOpenFailed_ = false;
    TMidiDevices* devices = Devices();
    const std::vector<TMidiDeviceInfo> list = devices ? devices->List() : std::vector<TMidiDeviceInfo>();
    if (list.empty()) {
        if (!preview)
            ShowMessage("Can't play because there are no MIDI devices installed on the system",
                        EditMessageCaption, TMsgIcon::Error, TMsgButtons::Ok);
        return false;
    }
    int ports = 0;
    for (const TMidiDeviceInfo& d : list) ports += d.Index >= 0;
    const int device = editorOptions_.MidiDevice >= ports ? -1 : editorOptions_.MidiDevice;
    if (!timer_) timer_ = std::make_unique<TThreadTimer>();
    if (!release_) release_ = std::make_unique<TReleaseService>(this);
    try {
        player_ = std::make_unique<TPlayer>(
            *doc_, TPlayerServices{devices, timer_.get(), events_.get(), &release_->Requester()}, device);
    } catch (const EFretloError& e) {
        previewOpenFailed_ = preview;
        ShowMessage(e.what(), EditMessageCaption, TMsgIcon::Error, TMsgButtons::Ok);
        return false;
    }
    emit PlayerExistsChanged(true);
    return true;
}

void TTabEditorView::StopPlaying() {
    if (!player_ || !player_->Playing()) return;
    const bool preview = player_->Preview();
    player_->Stop();
    previewTimer_.stop();
    for (int t = playFirstTrack_; t <= playLastTrack_; ++t) {
        SetMovingBar(t, -1);
        SetHighlight(t, -1);
    }
    playLastTrack_ = -1;
    if (preview) return;
    emit PlayingChanged(false);
    if (rewindAfterStop_ && Editable())
        SetCursorSpace(SpaceAtOrBefore(cursor_.Track, playStartTime_), csNoExtend);
    update(CaretRect());
}

void TTabEditorView::CloseDevice() {
    previewOpenFailed_ = false;
    StopPlaying();
    if (!player_) return;
    player_.reset();
    emit PlayerExistsChanged(false);
}

void TTabEditorView::TriggerNotes() {
    if (previewMode_ == TPreviewMode::Off || IsPlaying()) return;
    Play(previewMode_ == TPreviewMode::AllTracks, true);
}

void TTabEditorView::StopPreview() {
    if (player_ && player_->Playing() && player_->Preview()) StopPlaying();
}

bool TTabEditorView::event(QEvent* e) {
    const QEvent::Type type = e->type();
    if (type == PositionEventType) {
        HandlePosition();
    } else if (type == SongEndEventType) {
        StopPlaying();
    } else if (type == PlayErrorEventType) {
        if (!IsPlaying()) return true;
        StopPlaying();
        ShowMessage("Error during playback:\n\n" + static_cast<TPlayErrorEvent*>(e)->Text, EditMessageCaption,
                    TMsgIcon::Error, TMsgButtons::Ok);
    } else if (type == ReleaseEventType) {
        CloseDevice();
        if (release_) release_->Released();
    } else if (type == QEvent::ToolTip) {
        if (!ShowTrackEffectHint(static_cast<QHelpEvent*>(e))) {
            QToolTip::hideText();
            e->ignore();
        }
    } else {
        return TTabView::event(e);
    }
    return true;
}

// The marks of every played track follow the player, and the cursor follows the play
// position on its track.
void TTabEditorView::HandlePosition() {
    events_->PositionPending.store(0);
    if (!IsPlaying() || !Editable()) return;
    const int32_t position = player_->Position();
    for (int t = playFirstTrack_; t <= playLastTrack_; ++t) {
        const int count = doc_->Track(t).SpaceCount();
        const auto mark = [count](int space) { return space < count ? space : -1; };
        if (Options().MovingBar) SetMovingBar(t, mark(player_->LastPlayedSpace(t)));
        if (Options().HighlightNotes) SetHighlight(t, mark(player_->LastNoteSpace(t)));
    }
    const int space = SpaceAtOrBefore(cursor_.Track, std::max(position, 0));
    if (space != cursor_.Space) SetCursorSpace(space, csNoVScroll);
}

}  // namespace fretlo
