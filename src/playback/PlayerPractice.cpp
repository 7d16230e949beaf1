// The practice tools: the loop's jump back, the speed and its trainer, the count-in, and the
// state the view reads. A loop pass starts in the state that the first one started in, so
// that every pass sounds alike and lasts alike.
#include <algorithm>
#include <numeric>

#include "platform/PlaybackLock.h"
#include "playback/NoteRules.h"
#include "playback/Player.h"

namespace fretlo {

namespace {
constexpr uint32_t CountingInBit = 1u << 8;
constexpr int PassShift = 9;
constexpr int MaxPublishedPass = (1 << (32 - PassShift)) - 1;
}  // namespace

void TPlayer::SetSpeed(int percent) {
    TPlaybackGuard guard(PlaybackLock());
    practice_.Speed = ClampSpeed(percent);
    if (!playing_ || preview_) return;
    ApplySpeed(practice_.Speed);
    PublishPractice();
}

TPracticeState TPlayer::PracticeState() const {
    const uint32_t v = practiceState_.load();
    return {static_cast<int>(v & 0xFF), static_cast<int>(v >> PassShift), (v & CountingInBit) != 0};
}

void TPlayer::PublishPractice() {
    const uint32_t pass = static_cast<uint32_t>(std::min(pass_, MaxPublishedPass));
    practiceState_.store(static_cast<uint32_t>(speed_) | (countingIn_ ? CountingInBit : 0) | pass << PassShift);
}

// The effects in force at the loop's start are found once here, so that a jump back costs
// no more than the messages it sends.
void TPlayer::SetUpLoop() {
    loopStart_ = std::max(practice_.LoopStart, 0);
    loopEnd_ = std::min(practice_.LoopEnd, doc_.SongLength());
    looping_ = practice_.Loop && !preview_ && loopStart_ < loopEnd_;
    if (looping_) StateBefore(loopStart_, loopState_);
}

int32_t TPlayer::StartInLoop(int32_t time) const {
    return looping_ && (time < loopStart_ || time >= loopEnd_) ? loopStart_ : time;
}

void TPlayer::StartPractice(int32_t start) {
    pass_ = 0;
    if (preview_)
        ApplySpeed(NormalSpeed);
    else
        ApplySpeed(practice_.Trainer ? TrainerSpeed(*practice_.Trainer, 0) : practice_.Speed);
    countingIn_ = false;
    if (practice_.CountIn && !preview_ && bar_ < doc_.BarCount()) StartCountIn(start);
    PublishPractice();
}

// The song time runs through the bar before the start, at the start's tempo and speed, with
// only the clicks sounding; the overshoot past its end carries into playback like any other.
void TPlayer::StartCountIn(int32_t start) {
    const TBar& bar = doc_.Bar(bar_);
    countingIn_ = true;
    countInStart_ = start;
    countInBar_ = start - (bar.End - bar.Start);
    countInClick_ = countInBar_;
    time_ = countInBar_;
}

bool TPlayer::CountIn() {
    for (; countInClick_ < countInStart_ && countInClick_ <= time_; countInClick_ += UnitsPerBeat)
        Click(countInClick_ == countInBar_);
    if (time_ < countInStart_) return false;
    ReleaseClick();
    countingIn_ = false;
    PublishPractice();
    return true;
}

void TPlayer::LoopBack() {
    // The last pass ends like the song: what sounds rings on until Stop.
    if (practice_.Passes > 0 && pass_ + 1 >= practice_.Passes) {
        ended_ = true;
        services_.Events->PostSongEnd();
        return;
    }
    ReleaseClick();
    for (int t = 0; t < doc_.TrackCount(); ++t)
        if (channel_[t] >= 0) ReleaseTrack(t);
    ++pass_;
    const int speed = practice_.Trainer ? TrainerSpeed(*practice_.Trainer, pass_) : speed_;
    ChangeRate(loopEnd_, loopState_.Tempo, speed);
    time_ -= loopEnd_ - loopStart_;
    Reposition(loopStart_);
    repeatBar_ = -1;
    repeatsLeft_ = 0;
    EnterState(loopState_);
    PublishPractice();
}

// Speed num/den in lowest terms; the fraction keeps its value in the new units.
void TPlayer::ApplySpeed(int percent) {
    const int oldDen = speedDen_;
    speed_ = ClampSpeed(percent);
    const int common = std::gcd(speed_, NormalSpeed);
    speedNum_ = speed_ / common;
    speedDen_ = NormalSpeed / common;
    fraction_ = static_cast<int32_t>(int64_t{fraction_} * speedDen_ / oldDen);
}

}  // namespace fretlo
