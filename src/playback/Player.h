// TPlayer: turns the song document into timed MIDI messages on one output device.
//
// The engine is free of any user interface: it sends to a MidiOut, is driven by a periodic
// timer service (the 8 ms timer thread, or a virtual clock for offline runs) and tells its
// view what happened through TPlayerEvents, whose calls come from the timer thread.
//
//   PlayerDevice.cpp    taking, opening and closing the device
//   PlayerStart.cpp     PlayFrom: channels, timer resolution, state before the start, set-up
//   PlayerTimer.cpp     the current player, the generation number and the timer callback
//   PlayerTick.cpp      one tick: mute countdowns, bar ends, metronome, time keeping
//   PlayerSpaces.cpp    the spaces due at one time: release, effects, strike
//   PlayerPosition.cpp  repositioning, Seek, repeats and tempo retiming
//   PlayerPractice.cpp  loop passes, speed, the trainer and the count-in (Practice.h)
//   PlayerStop.cpp      Stop and releasing strings
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "platform/DeviceRecord.h"
#include "platform/DeviceRelease.h"
#include "platform/MultimediaTimer.h"
#include "platform/MidiOut.h"
#include "playback/PlayerSettings.h"
#include "playback/Practice.h"

namespace fretlo {

class EPlayerError : public EFretloError {
public:
    using EFretloError::EFretloError;
};

inline constexpr int PlayerTickMs = 8;
inline constexpr int MidiChannels = 16;

// What the player tells its view. Called on the timer thread: implementations post.
class TPlayerEvents {
public:
    virtual ~TPlayerEvents() = default;
    // A new play position is available (Position()).
    virtual void PostPosition() = 0;
    virtual void PostSongEnd() = 0;
    // Playback failed; `text` is the error's message, null when it had none.
    virtual void PostPlayError(std::unique_ptr<std::string> text) = 0;

    // The view's position-message-pending word: the player posts a position only while it
    // is 0 and sets it to -1; the view clears it when it handles the message.
    std::atomic<int32_t> PositionPending{0};
};

// The services a player works with; each outlives the player.
struct TPlayerServices {
    TMidiDevices* Devices;
    TTimerService* Timer;
    TPlayerEvents* Events;
    TDeviceReleaseRequest* Release;  // asks another process for a shared device
};

class TPlayer {
public:
    // Create: takes the device from another instance when needed, then opens it.
    TPlayer(TCustomTabDoc& doc, const TPlayerServices& services, int deviceIndex);
    // Destroy: stops, resets the used channels and closes the device.
    ~TPlayer();
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    // The tracks whose notes sound (the others still send their effects).
    void SetPlayRange(int firstTrack, int lastTrack);
    void SetSettings(const TPlayerSettings& settings);
    // Loop, speed, trainer and count-in of the next PlayFrom. With a loop, a start outside
    // the loop range starts at the loop's start.
    void SetPractice(const TPractice& practice);
    // The speed from now on, also of a running playback (a trainer sets its own at each pass).
    void SetSpeed(int percent);

    // Starts at a song time; a preview processes only what is due then and starts no timer.
    void PlayFrom(int32_t startTime, bool preview);
    // Ends playback or preview. Must not be called with the playback lock held, since it
    // waits for a running tick to finish.
    void Stop();
    // Moves a running playback to another song time (into the loop range, as PlayFrom).
    void Seek(int32_t time);

    // Read by the view.
    bool Playing() const { return playing_; }
    bool Preview() const { return preview_; }
    int32_t Position() const { return position_.load(); }
    int LastPlayedSpace(int track) const { return lastPlayed_[track].load(std::memory_order_relaxed); }
    int LastNoteSpace(int track) const { return lastNoteSpace_[track].load(std::memory_order_relaxed); }
    TPracticeState PracticeState() const;

private:
    // The effect values that the set-up of a track sends.
    struct TTrackSetUp {
        int Program, Bank, Pan, Chorus, Reverb, Modulation, PitchBend;
    };
    // What the effects before a time leave in force: the state that playback starts with,
    // and that every loop pass starts with again.
    struct TStartState {
        int Tempo;
        TTrackSetUp SetUp[MaxTracks];
        int Velocity[MaxTracks];
        bool LetRing[MaxTracks];
        bool StrokeUp[MaxTracks];
    };

    // PlayerDevice.cpp
    void TakeDevice(int deviceIndex);
    void Send(uint8_t status, int data1, int data2);
    void SendController(int channel, uint8_t controller, int value);
    void SendPitchBend(int channel, int cents);
    // PlayerStart.cpp
    void RaiseTimerResolution();
    void StateBefore(int32_t time, TStartState& state) const;
    void ReplayEffectsBefore(int32_t time, TStartState& state) const;
    void EnterState(const TStartState& state);
    void SendTrackSetUp(int channel, const TTrackSetUp& setUp);
    void SendSetUp(const TTrackSetUp setUp[]);
    void StartTimer();
    // PlayerTimer.cpp
    static uint32_t MakeCurrent(TPlayer* player);
    static void ForgetCurrent(TPlayer* player);
    static void TimerCallback(uint32_t generation);
    // PlayerTick.cpp
    void Tick();
    void CountDownMutes();
    void RunDueEvents();
    int32_t NextEventTime();
    void SoundMetronome();
    void Click(bool barStart);
    void AdvanceTime();
    // PlayerSpaces.cpp
    void ProcessSpaces(int32_t time);
    void ReleaseStage(const int tracks[], int count);
    void EffectStage(const int tracks[], int count, int32_t time);
    void ApplyEffect(int track, const TPropNode& effect, int32_t time);
    void StrikeStage(const int tracks[], int count);
    void StrikeMuted(int track, int string, uint8_t effect);
    void StrikeFret(int track, int string, int fret, uint8_t effect);
    int StringOfSlot(int track, int slot) const;
    // PlayerPosition.cpp
    void Reposition(int32_t time);
    bool RepeatAtBarEnd();
    void ChangeRate(int32_t eventTime, int newTempo, int newSpeed);
    // PlayerPractice.cpp
    void SetUpLoop();
    int32_t StartInLoop(int32_t time) const;
    void StartPractice(int32_t start);
    void StartCountIn(int32_t start);
    bool CountIn();
    void LoopBack();
    void ApplySpeed(int percent);
    void PublishPractice();
    // PlayerStop.cpp
    void ReleaseString(int track, int string);
    void ReleaseTrack(int track);
    void ReleaseClick();

    TCustomTabDoc& doc_;
    TPlayerServices services_;
    TPlayerSettings settings_;
    int firstTrack_ = 0, lastTrack_ = MaxTracks - 1;
    bool InPlayRange(int track) const { return track >= firstTrack_ && track <= lastTrack_; }

    std::optional<TDeviceRecord> record_;
    bool periodRaised_ = false;
    std::unique_ptr<MidiOut> out_;
    unsigned timerId_ = 0;
    int timerPeriod_ = 0;
    int tempo_ = DefaultTempo;
    bool ended_ = false;
    int32_t time_ = 0;
    // Below one unit, in 1/(15000 x speedDen_) of a unit: at speed num/den (in lowest terms)
    // a tick advances by tempo x 2048 x num of these, exactly; at 100 % it is 1/15000.
    int32_t fraction_ = 0;
    int speed_ = NormalSpeed, speedNum_ = 1, speedDen_ = 1;
    int64_t FractionPerUnit() const;
    int bar_ = 0;
    int repeatBar_ = -1;
    int repeatsLeft_ = 0;
    int32_t nextBeat_ = 0;
    int metronomeNote_ = -1;
    bool channelUsed_[MidiChannels] = {};
    int sounding_[MaxTracks][StringSlots];
    std::atomic<int> lastNoteSpace_[MaxTracks];
    std::atomic<int32_t> position_{0};
    int lastFret_[MaxTracks][StringSlots] = {};
    int muteCountdown_[MaxTracks][StringSlots] = {};
    int nextSpace_[MaxTracks] = {};
    std::atomic<int> lastPlayed_[MaxTracks];
    int velocity_[MaxTracks] = {};
    int channel_[MaxTracks];
    std::atomic<int32_t> halt_{0};
    bool playing_ = false;
    bool preview_ = false;
    bool strokeUp_[MaxTracks] = {};
    bool letRing_[MaxTracks] = {};

    TPractice practice_;
    bool looping_ = false;
    int32_t loopStart_ = 0, loopEnd_ = 0;  // inside the song
    TStartState loopState_{};              // in force at the loop's start
    int pass_ = 0;
    bool countingIn_ = false;
    int32_t countInBar_ = 0;    // song time of the count-in's first click, one bar before
    int32_t countInStart_ = 0;  // the time it leads to
    int32_t countInClick_ = 0;  // the time of its next click
    std::atomic<uint32_t> practiceState_{NormalSpeed};  // PracticeState(), packed
};

}  // namespace fretlo
