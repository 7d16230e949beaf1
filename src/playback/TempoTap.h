// TTempoTap: a tempo measured from taps to the beat. It averages up to 24 intervals between
// taps; a pause of two seconds, or a tap far off the running average, starts a new series,
// and a tap within 100 ms of the last one is a bounce of the same tap.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace fretlo {

class TTempoTap {
public:
    // Milliseconds of a clock that only moves forward; it may wrap around.
    using TClock = std::function<uint32_t()>;
    static constexpr int MaxIntervals = 24;

    // Without a clock the steady clock of the system.
    explicit TTempoTap(TClock clock = {});

    void Tap();
    // The intervals counted, 0 to MaxIntervals.
    int Count() const { return static_cast<int>(intervals_.size()); }
    // Beats per minute from the average interval, after three taps of a series.
    std::optional<double> Average() const;
    // The average rounded to whole beats per minute, halves to even.
    std::optional<int> Tempo() const;
    // The average with two decimals, "-" before there is one.
    std::string AverageText() const;

private:
    void Restart(uint32_t now);
    double MeanInterval() const;

    TClock clock_;
    bool started_ = false;
    uint32_t last_ = 0;
    std::deque<uint32_t> intervals_;
};

}  // namespace fretlo
