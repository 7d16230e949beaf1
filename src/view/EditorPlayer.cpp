// TEditorPlayer: Play, StopPlaying, CloseDevice, note preview, the device choice and the
// notices the player and other instances post.
#include "view/EditorPlayer.h"

#include <QCoreApplication>
#include <algorithm>

#include "document/TabDoc.h"
#include "platform/ThreadTimer.h"
#include "playback/Player.h"
#include "view/EditorPlayerEvents.h"

namespace fretlo {

namespace {

constexpr int PreviewMs = 750;

}  // namespace

TEditorPlayer::TEditorPlayer(TEditorPlayerHost& host, const TMakeSystemDevices& makeSystemDevices)
    : host_(host), makeSystemDevices_(makeSystemDevices),
      events_(std::make_unique<TEditorPlayerEvents>(this)) {
    previewTimer_.setInterval(PreviewMs);
    previewTimer_.setSingleShot(true);
    connect(&previewTimer_, &QTimer::timeout, this, [this] { StopPreview(); });
}

TEditorPlayer::~TEditorPlayer() = default;

void TEditorPlayer::SetDocument(TCustomTabDoc* doc) {
    if (doc != doc_) CloseDevice();
    doc_ = doc;
}

bool TEditorPlayer::IsPlaying() const { return player_ && player_->Playing() && !player_->Preview(); }

bool TEditorPlayer::Play(bool allTracks, bool preview) {
    const std::optional<TPlayCursor> cursor = host_.PlayCursor();
    if (!cursor || !doc_) return false;
    if (player_ && player_->Playing()) {
        if (!player_->Preview()) return false;
        StopPlaying();
    }
    QCoreApplication::removePostedEvents(this, PositionEventType);
    events_->PositionPending.store(0);
    if (!player_ && !OpenPlayer(preview)) return false;
    const TPractice practice = preview ? TPractice{} : PracticeForPlay();
    if (!preview) host_.CollapseSelection();
    playFirstTrack_ = allTracks ? 0 : cursor->Track;
    playLastTrack_ = allTracks ? doc_->TrackCount() - 1 : cursor->Track;
    host_.ClearPlayMarks();
    playStartTime_ = cursor->Time;
    shownPractice_.reset();
    try {
        player_->SetPlayRange(playFirstTrack_, playLastTrack_);
        player_->SetSettings(settings_);
        player_->SetPractice(practice);
        player_->PlayFrom(playStartTime_, preview);
    } catch (const EFretloError& e) {
        playLastTrack_ = -1;
        playingLoop_.reset();
        Report(e.what(), preview);
        return false;
    }
    if (preview)
        previewTimer_.start();
    else
        host_.PlayingStateChanged(true);
    return true;
}

// The practice of a real playback; the loop range is read before Play collapses the selection.
TPractice TEditorPlayer::PracticeForPlay() {
    TPractice practice;
    practice.Speed = practice_.Speed;
    practice.Trainer = practice_.Trainer;
    practice.CountIn = practice_.CountIn;
    playingLoop_.reset();
    if (practice_.LoopSelection) {
        const std::optional<TTimeRange> range = host_.LoopRange();
        if (range && range->End > range->Start) {
            practice.Loop = true;
            practice.LoopStart = range->Start;
            practice.LoopEnd = range->End;
            playingLoop_ = range;
        }
    }
    return practice;
}

// Creates the player on the chosen device; a preview without any device stays silent.
bool TEditorPlayer::OpenPlayer(bool preview) {
    if (preview && previewOpenFailed_) return false;
    if (!preview) previewOpenFailed_ = false;
    TMidiDevices* devices = Devices();
    const std::vector<TMidiDeviceInfo> list = devices ? devices->List() : std::vector<TMidiDeviceInfo>();
    if (list.empty()) {
        if (!preview)
            host_.ShowPlayerMessage("Can't play because there are no MIDI devices installed on the system");
        return false;
    }
    int ports = 0;
    for (const TMidiDeviceInfo& d : list) ports += d.Index >= 0;
    const int device = midiDevice_ >= ports ? -1 : midiDevice_;
    if (!timer_) timer_ = std::make_unique<TThreadTimer>();
    if (!release_) release_ = std::make_unique<TReleaseService>(this);
    try {
        player_ = std::make_unique<TPlayer>(
            *doc_, TPlayerServices{devices, timer_.get(), events_.get(), &release_->Requester()}, device);
    } catch (const EFretloError& e) {
        previewOpenFailed_ = preview;
        Report(e.what(), preview);
        return false;
    }
    host_.PlayerStateChanged(true);
    return true;
}

void TEditorPlayer::Report(const std::string& text, bool preview) {
    if (preview)
        host_.ShowPreviewNotice(text);
    else
        host_.ShowPlayerMessage(text);
}

void TEditorPlayer::StopPlaying() {
    if (!player_ || !player_->Playing()) return;
    const bool preview = player_->Preview();
    player_->Stop();
    previewTimer_.stop();
    // Only the played tracks carry marks: every Play starts by clearing them all.
    host_.ClearPlayMarks();
    playLastTrack_ = -1;
    if (preview) return;
    playingLoop_.reset();
    shownPractice_.reset();
    host_.PlayingStateChanged(false);
    if (rewindAfterStop_) host_.RewindTo(playStartTime_);
}

void TEditorPlayer::CloseDevice() {
    previewOpenFailed_ = false;
    StopPlaying();
    if (!player_) return;
    player_.reset();
    host_.PlayerStateChanged(false);
}

void TEditorPlayer::TriggerNotes() {
    if (previewMode_ == TPreviewMode::Off || IsPlaying()) return;
    Play(previewMode_ == TPreviewMode::AllTracks, true);
}

void TEditorPlayer::StopPreview() {
    if (player_ && player_->Playing() && player_->Preview()) StopPlaying();
}

void TEditorPlayer::SetPractice(const TPracticeChoice& practice) {
    practice_ = practice;
    practice_.Speed = ClampSpeed(practice.Speed);
}

void TEditorPlayer::SetSpeed(int percent) {
    practice_.Speed = ClampSpeed(percent);
    if (IsPlaying()) player_->SetSpeed(practice_.Speed);
}

std::optional<TTimeRange> TEditorPlayer::PlayingLoop() const {
    return IsPlaying() ? playingLoop_ : std::nullopt;
}

std::optional<TPracticeState> TEditorPlayer::PlayingPractice() const {
    if (!IsPlaying()) return std::nullopt;
    return player_->PracticeState();
}

void TEditorPlayer::Seek(int32_t time) {
    if (IsPlaying()) player_->Seek(time);
}

// --- Devices and settings ----------------------------------------------------------------

void TEditorPlayer::SetDevice(int midiDevice, const std::string& soundFont) {
    if (midiDevice == midiDevice_ && soundFont == soundFont_) return;
    CloseDevice();
    if (soundFont != soundFont_) systemDevices_.reset();
    midiDevice_ = midiDevice;
    soundFont_ = soundFont;
}

void TEditorPlayer::SetMidiDevices(TMidiDevices* devices) {
    CloseDevice();
    devices_ = devices;
}

TMidiDevices* TEditorPlayer::Devices() {
    if (devices_) return devices_;
    if (!systemDevices_ && makeSystemDevices_) systemDevices_ = makeSystemDevices_(soundFont_);
    return systemDevices_.get();
}

void TEditorPlayer::SetSettings(const TPlayerSettings& settings) {
    // Bank selects are sent with a track's set-up when the device opens.
    if (settings.SendBankSelects != settings_.SendBankSelects) CloseDevice();
    settings_ = settings;
    if (player_) player_->SetSettings(settings);
}

// --- Notices ---------------------------------------------------------------------------

bool TEditorPlayer::event(QEvent* e) {
    const QEvent::Type type = e->type();
    if (type == PositionEventType) {
        HandlePosition();
    } else if (type == SongEndEventType) {
        StopPlaying();
    } else if (type == PlayErrorEventType) {
        if (!IsPlaying()) return true;
        StopPlaying();
        host_.ShowPlayerMessage("Error during playback:\n\n" + static_cast<TPlayErrorEvent*>(e)->Text);
    } else if (type == ReleaseEventType) {
        CloseDevice();
        if (release_) release_->Released();
    } else {
        return QObject::event(e);
    }
    return true;
}

// The marks of every played track follow the player, and the cursor follows the play
// position on its track.
void TEditorPlayer::HandlePosition() {
    events_->PositionPending.store(0);
    if (!IsPlaying()) return;
    const int32_t position = player_->Position();
    for (int t = playFirstTrack_; t <= playLastTrack_; ++t)
        host_.ShowPlayMarks(t, player_->LastPlayedSpace(t), player_->LastNoteSpace(t));
    host_.FollowPlayPosition(std::max(position, 0));
    const TPracticeState state = player_->PracticeState();
    if (!shownPractice_ || shownPractice_->Speed != state.Speed || shownPractice_->Pass != state.Pass) {
        shownPractice_ = state;
        host_.PracticeStateChanged();
    }
}

}  // namespace fretlo
