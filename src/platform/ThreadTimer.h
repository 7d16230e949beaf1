// The periodic timer of real-time playback: one thread per timer that wakes on absolute
// deadlines (each the previous plus the period), so lateness never accumulates and a late
// tick is followed by catch-up ticks rather than a slower song.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/MultimediaTimer.h"

namespace fretlo {

class TThreadTimer : public TTimerService {
public:
    TThreadTimer();
    ~TThreadTimer() override;

    int GetDevCaps(int& minPeriodMs) override;
    int BeginPeriod(int periodMs) override;
    int EndPeriod(int periodMs) override;
    unsigned SetEvent(int periodMs, TTimerCallback callback, uint32_t user) override;
    void KillEvent(unsigned id) override;

private:
    class TWorker;
    std::mutex mutex_;
    std::map<unsigned, std::unique_ptr<TWorker>> workers_;
    unsigned nextId_ = 1;
};

}  // namespace fretlo
