// TEditorPlayer: the editor's bridge to the player. It creates the TPlayer on the first
// Play and keeps it, with the device open, until CloseDevice; chooses the device; plays,
// stops and previews; and handles what the timer thread and other instances post: the
// play position, the song end, a playback error and a request to release the device.
// It reaches the editor view only through TEditorPlayerHost. The practice choices (loop,
// speed, trainer, count-in) apply to every real playback and never touch the song.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "playback/PlayerSettings.h"
#include "playback/Practice.h"
#include "view/TimeRange.h"

namespace fretlo {

class TCustomTabDoc;
class TPlayer;
class TMidiDevices;
class TTimerService;
class TEditorPlayerEvents;
class TReleaseService;

// Note preview while editing (the `PlayNotesWhileEditing` setting).
enum class TPreviewMode { Off = 0, CurrentTrack = 1, AllTracks = 2 };

// Makes the system's devices for a SoundFont setting.
using TMakeSystemDevices = std::function<std::unique_ptr<TMidiDevices>(const std::string& soundFont)>;

// Where a playback starts: the cursor track and the start time of the cursor space.
struct TPlayCursor {
    int Track = 0;
    int32_t Time = 0;
};

// What the user chose for practising; the loop range itself comes from the host at Play.
struct TPracticeChoice {
    bool LoopSelection = false;
    int Speed = NormalSpeed;
    std::optional<TSpeedTrainer> Trainer;
    bool CountIn = false;
};

// What the bridge needs of the editor view.
class TEditorPlayerHost {
public:
    virtual ~TEditorPlayerHost() = default;
    // Nothing while there is no song to play.
    virtual std::optional<TPlayCursor> PlayCursor() const = 0;
    // What Loop Selection loops: the selected time range, else the cursor's bar. Asked
    // before the selection collapses.
    virtual std::optional<TTimeRange> LoopRange() const = 0;
    // A real playback starts without a selection.
    virtual void CollapseSelection() = 0;
    // Erases every moving-bar box and note highlight.
    virtual void ClearPlayMarks() = 0;
    // A played track's marks: the space last played and the last that held a note (-1 none).
    virtual void ShowPlayMarks(int track, int playedSpace, int noteSpace) = 0;
    // The cursor follows the play position on its track.
    virtual void FollowPlayPosition(int32_t time) = 0;
    // Rewind After Stop: the cursor goes back to where the playback started.
    virtual void RewindTo(int32_t time) = 0;
    // A failure of the device or of the playback, in a message box.
    virtual void ShowPlayerMessage(const std::string& text) = 0;
    // A note preview that failed: said without a modal box, so that the keys typed next
    // still reach the editor.
    virtual void ShowPreviewNotice(const std::string& text) = 0;
    // A real playback (not a preview) started or stopped.
    virtual void PlayingStateChanged(bool playing) = 0;
    // The player was created or closed.
    virtual void PlayerStateChanged(bool exists) = 0;
    // The running playback's speed or loop pass changed.
    virtual void PracticeStateChanged() = 0;
};

class TEditorPlayer : public QObject {
public:
    // `makeSystemDevices` is the view's factory; it may be set or replaced later.
    TEditorPlayer(TEditorPlayerHost& host, const TMakeSystemDevices& makeSystemDevices);
    ~TEditorPlayer() override;
    TEditorPlayer(const TEditorPlayer&) = delete;
    TEditorPlayer& operator=(const TEditorPlayer&) = delete;

    // The song to play; a change of song closes the device, since a player plays the
    // document it was made for.
    void SetDocument(TCustomTabDoc* doc);

    // Starts at the cursor (a preview sounds only that column). Failures are shown
    // through the host; false when nothing started.
    bool Play(bool allTracks, bool preview);
    void StopPlaying();
    // Stops and closes the device; the next Play opens it again.
    void CloseDevice();
    // Previews the cursor column as the preview mode says (nothing when it is off).
    void TriggerNotes();
    // Moves a real playback to another song time; nothing otherwise.
    void Seek(int32_t time);
    // A real playback (not a note preview) is running.
    bool IsPlaying() const;
    bool HasPlayer() const { return player_ != nullptr; }

    // A device index of -1 (or one beyond the ports) is the built-in synthesizer, which
    // plays the SoundFont. A change closes the device.
    void SetDevice(int midiDevice, const std::string& soundFont);
    // The devices to open instead of the system's; nullptr goes back to the system's.
    // Must outlive the player (see CloseDevice).
    void SetMidiDevices(TMidiDevices* devices);
    void SetSettings(const TPlayerSettings& settings);
    const TPlayerSettings& Settings() const { return settings_; }
    void SetPreviewMode(TPreviewMode mode) { previewMode_ = mode; }
    TPreviewMode PreviewMode() const { return previewMode_; }
    void SetRewindAfterStop(bool on) { rewindAfterStop_ = on; }
    bool RewindAfterStop() const { return rewindAfterStop_; }

    // The choices of the next Play; a running playback keeps its speed.
    void SetPractice(const TPracticeChoice& practice);
    // A speed the user chose: also at once for a running playback (whose trainer sets its
    // own speed again at its next pass).
    void SetSpeed(int percent);
    const TPracticeChoice& Practice() const { return practice_; }
    // The range the running playback loops; nothing when it does not loop.
    std::optional<TTimeRange> PlayingLoop() const;
    // Speed and pass of the running playback; nothing when there is none.
    std::optional<TPracticeState> PlayingPractice() const;

protected:
    // The notices posted by the timer thread and the release listener.
    bool event(QEvent* e) override;

private:
    bool OpenPlayer(bool preview);
    TPractice PracticeForPlay();
    // A failure goes to the message box for Play and to the notice for a preview.
    void Report(const std::string& text, bool preview);
    void StopPreview();
    void HandlePosition();
    TMidiDevices* Devices();

    TEditorPlayerHost& host_;
    const TMakeSystemDevices& makeSystemDevices_;
    TCustomTabDoc* doc_ = nullptr;
    TPlayerSettings settings_;
    TPreviewMode previewMode_ = TPreviewMode::Off;
    bool rewindAfterStop_ = false;
    int midiDevice_ = -1;
    std::string soundFont_;
    // Opening the device for a note preview failed and was reported: later previews stay
    // silent (instead of one error box per typed note) until a real Play or CloseDevice.
    bool previewOpenFailed_ = false;

    std::unique_ptr<TMidiDevices> systemDevices_;
    TMidiDevices* devices_ = nullptr;
    // The player works with these three, so they are declared before it and outlive it;
    // the release service joins its listener before this object stops taking events.
    std::unique_ptr<TTimerService> timer_;
    std::unique_ptr<TEditorPlayerEvents> events_;
    std::unique_ptr<TReleaseService> release_;
    std::unique_ptr<TPlayer> player_;
    int playFirstTrack_ = 0, playLastTrack_ = -1;  // the play range, empty when stopped
    int32_t playStartTime_ = 0;
    TPracticeChoice practice_;
    std::optional<TTimeRange> playingLoop_;
    std::optional<TPracticeState> shownPractice_;  // as the host last heard of it
    QTimer previewTimer_;
};

}  // namespace fretlo
