// Where the player is: repositioning, Seek, the jump back at a repeat sign and the retiming
// of the time past a change of tempo or speed.
#include <algorithm>

#include "platform/PlaybackLock.h"
#include "playback/Player.h"

namespace fretlo {

namespace {

// The smallest multiple of a beat that is not below `offset`.
int32_t RoundUpToBeat(int32_t offset) {
    const int32_t down = offset / UnitsPerBeat * UnitsPerBeat;
    return down < offset ? down + UnitsPerBeat : down;
}
}  // namespace

void TPlayer::Reposition(int32_t time) {
    bar_ = doc_.BarAtTime(time);
    for (int t = 0; t < doc_.TrackCount(); ++t) nextSpace_[t] = doc_.SpaceAtTime(t, time, satNoClamp);
    if (doc_.BarCount() == 0) {
        nextBeat_ = 0;
        return;
    }
    const int32_t barStart = doc_.Bar(bar_).Start;
    nextBeat_ = std::max<int32_t>(0, barStart + RoundUpToBeat(time - barStart));
}

void TPlayer::Seek(int32_t to) {
    TPlaybackGuard guard(PlaybackLock());
    const int32_t time = StartInLoop(to);
    if (countingIn_) {
        ReleaseClick();
        countingIn_ = false;
        PublishPractice();
    }
    time_ = time;
    fraction_ = 0;
    Reposition(time);
    const bool keepRepeat = repeatBar_ >= 0 && repeatBar_ < doc_.BarCount() && repeatBar_ >= bar_ &&
                            doc_.RepeatSectionStart(repeatBar_) <= bar_;
    if (!keepRepeat) {
        repeatBar_ = -1;
        repeatsLeft_ = 0;
    }
}

bool TPlayer::RepeatAtBarEnd() {
    if (settings_.IgnoreRepeats) {
        repeatBar_ = -1;
        repeatsLeft_ = 0;
        return false;
    }
    const TBar& bar = doc_.Bar(bar_);
    // A count below 1 would never run out; such a section plays once.
    if (!bar.RepeatEnd || bar.RepeatCount < 1) return false;
    if (bar_ == repeatBar_) {
        if (repeatsLeft_ == 0) {
            repeatBar_ = -1;
            return false;
        }
        --repeatsLeft_;
    } else {
        repeatBar_ = bar_;
        repeatsLeft_ = bar.RepeatCount - 1;
    }
    const int32_t target = doc_.Bar(doc_.RepeatSectionStart(bar_)).Start;
    // The overshoot past the bar's end is kept.
    time_ -= bar.End - target;
    if (time_ < 0) {
        time_ = 0;
        fraction_ = 0;
    }
    Reposition(target);
    return true;
}

// The rate of song time is tempo x speed: the time already past the change is retimed to
// the new rate, so that no time is lost or gained.
void TPlayer::ChangeRate(int32_t eventTime, int newTempo, int newSpeed) {
    const int64_t overshoot = (int64_t(time_) - eventTime) * FractionPerUnit() + fraction_;
    const int64_t oldRate = int64_t{tempo_} * speedNum_;
    ApplySpeed(newSpeed);
    tempo_ = newTempo;
    if (overshoot < 0) return;
    // In the new speed's fraction units: overshoot x (new rate / old rate).
    const int64_t scaled = overshoot * newTempo * speedNum_ / oldRate;
    time_ = static_cast<int32_t>(eventTime + scaled / FractionPerUnit());
    fraction_ = static_cast<int32_t>(scaled % FractionPerUnit());
}

}  // namespace fretlo
