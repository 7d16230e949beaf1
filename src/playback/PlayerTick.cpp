// One tick: mute countdowns, then every bar end, metronome beat and space that is due, then
// the song time advances by one timer period at the current tempo.
#include <algorithm>

#include "platform/PlaybackLock.h"
#include "playback/NoteRules.h"
#include "playback/Player.h"

namespace fretlo {

namespace {
// At 8 ms per tick and 100 %, tempo x 2048 / 15000 units a tick make a beat of 1024 units
// pass in 60000 / tempo ms exactly.
constexpr int64_t UnitsPerTickAndTempo = 2048;
}  // namespace

void TPlayer::Tick() {
    TPlaybackGuard guard(PlaybackLock());
    if (halt_.load() != 0) return;
    CountDownMutes();
    if (ended_) return;
    RunDueEvents();
    if (!ended_) AdvanceTime();
}

void TPlayer::CountDownMutes() {
    const int last = std::min(lastTrack_, doc_.TrackCount() - 1);
    for (int t = std::max(firstTrack_, 0); t <= last; ++t) {
        if (channel_[t] < 0) continue;
        for (int s = 0; s < StringSlots; ++s)
            if (muteCountdown_[t][s] > 0 && --muteCountdown_[t][s] == 0) ReleaseString(t, s);
    }
}

void TPlayer::RunDueEvents() {
    if (countingIn_ && !CountIn()) return;
    for (;;) {
        if (bar_ >= doc_.BarCount()) {
            ended_ = true;
            services_.Events->PostSongEnd();
            return;
        }
        const int32_t next = NextEventTime();
        if (time_ < next) return;
        if (looping_ && next == loopEnd_) {  // the loop's end wins every tie
            LoopBack();
            if (ended_) return;
        } else if (next == doc_.Bar(bar_).End) {
            if (RepeatAtBarEnd()) continue;
            if (++bar_ < doc_.BarCount()) nextBeat_ = doc_.Bar(bar_).Start;
        } else if (next == nextBeat_) {
            SoundMetronome();
            nextBeat_ += UnitsPerBeat;
        } else {
            ProcessSpaces(next);
            if (preview_) return;
        }
    }
}

int32_t TPlayer::NextEventTime() {
    int32_t next = std::min({doc_.SongLength(), nextBeat_, doc_.Bar(bar_).End});
    if (looping_) next = std::min(next, loopEnd_);
    for (int t = 0; t < doc_.TrackCount(); ++t) {
        TTrackData& track = doc_.Track(t);
        if (nextSpace_[t] < track.SpaceCount()) next = std::min(next, track.SpaceTime(nextSpace_[t]));
    }
    return next;
}

void TPlayer::SoundMetronome() {
    if (preview_ || !settings_.MetronomeOn) return;
    Click(nextBeat_ == doc_.Bar(bar_).Start);
}

void TPlayer::Click(bool barStart) {
    int volume = settings_.MetronomeVolume;
    if (barStart && settings_.MetronomeAccent) volume = std::min(127, volume * 4 / 3);
    constexpr uint8_t channel = PercussionChannel;
    if (metronomeNote_ >= 0) Send(MidiNoteOff | channel, metronomeNote_, 0);
    metronomeNote_ = settings_.MetronomeDrum & 0x7F;
    Send(MidiNoteOn | channel, metronomeNote_, volume);
}

int64_t TPlayer::FractionPerUnit() const { return int64_t{15000} * speedDen_; }

void TPlayer::AdvanceTime() {
    const int64_t step = tempo_ * UnitsPerTickAndTempo * speedNum_;
    const int64_t perUnit = FractionPerUnit();
    time_ += static_cast<int32_t>(step / perUnit);
    fraction_ += static_cast<int32_t>(step % perUnit);
    if (fraction_ >= perUnit) {
        fraction_ -= static_cast<int32_t>(perUnit);
        ++time_;
    }
}

}  // namespace fretlo
