#include "playback/TempoTap.h"

#include <chrono>
#include <cmath>
#include <numeric>

#include "base/Errors.h"

namespace fretlo {

namespace {

constexpr uint32_t RestartPauseMs = 2000;
constexpr uint32_t BounceMs = 100;
constexpr double Band = 1.5;  // a steady beat stays within 2/3 to 3/2 of the average interval

uint32_t SteadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

TTempoTap::TTempoTap(TClock clock) : clock_(clock ? std::move(clock) : TClock(SteadyMilliseconds)) {}

void TTempoTap::Tap() {
    const uint32_t now = clock_();
    const uint32_t dt = now - last_;
    if (!started_ || dt >= RestartPauseMs) return Restart(now);
    if (dt < BounceMs) return;
    if (!intervals_.empty()) {
        const double mean = MeanInterval();
        if (!(mean / Band < dt && dt < mean * Band)) return Restart(now);
    }
    if (Count() == MaxIntervals) intervals_.pop_front();
    intervals_.push_back(dt);
    last_ = now;
}

void TTempoTap::Restart(uint32_t now) {
    started_ = true;
    intervals_.clear();
    last_ = now;
}

double TTempoTap::MeanInterval() const {
    return static_cast<double>(std::accumulate(intervals_.begin(), intervals_.end(), uint64_t{0})) / Count();
}

std::optional<double> TTempoTap::Average() const {
    if (Count() < 2) return std::nullopt;
    return 60000.0 / MeanInterval();
}

std::optional<int> TTempoTap::Tempo() const {
    const auto average = Average();
    if (!average) return std::nullopt;
    return static_cast<int>(std::nearbyint(*average));  // the default rounding: halves to even
}

std::string TTempoTap::AverageText() const {
    const auto average = Average();
    return average ? Format("%.2f", *average) : std::string("-");
}

}  // namespace fretlo
