// Stop, and releasing the strings that sound.
#include "platform/PlaybackLock.h"
#include "playback/NoteRules.h"
#include "playback/Player.h"

namespace fretlo {

void TPlayer::Stop() {
    if (!playing_) return;
    halt_.exchange(-1);
    if (timerId_) {
        services_.Timer->KillEvent(timerId_);
        timerId_ = 0;
    }
    ForgetCurrent(this);
    if (periodRaised_) {
        services_.Timer->EndPeriod(timerPeriod_);
        periodRaised_ = false;
    }
    ReleaseClick();
    countingIn_ = false;
    PublishPractice();
    for (int t = 0; t < MaxTracks; ++t) {
        lastNoteSpace_[t].store(-1, std::memory_order_relaxed);
        if (channel_[t] < 0) continue;
        ReleaseTrack(t);
        if (!preview_) SendController(channel_[t], CcAllSoundOff, 0);
    }
    playing_ = false;
}

void TPlayer::ReleaseClick() {
    if (metronomeNote_ < 0) return;
    Send(MidiNoteOff | PercussionChannel, metronomeNote_, 0);
    metronomeNote_ = -1;
}

void TPlayer::ReleaseTrack(int t) {
    for (int s = 0; s < StringSlots; ++s) {
        ReleaseString(t, s);
        lastFret_[t][s] = 0;
    }
}

void TPlayer::ReleaseString(int t, int s) {
    if (sounding_[t][s] >= 0) {
        Send(static_cast<uint8_t>(MidiNoteOff | channel_[t]), sounding_[t][s], 0);
        sounding_[t][s] = -1;
    }
    muteCountdown_[t][s] = 0;
}

}  // namespace fretlo
