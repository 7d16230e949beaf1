// A timer service whose ticks are fired by the caller instead of the wall clock: offline
// rendering, traces and tests drive the same player tick by tick with it.
#pragma once

#include "platform/MultimediaTimer.h"

namespace fretlo {

class TVirtualClock : public TTimerService {
public:
    int GetDevCaps(int& minPeriodMs) override;
    int BeginPeriod(int) override { return BeginPeriodResult; }
    int EndPeriod(int) override { return 0; }
    unsigned SetEvent(int periodMs, TTimerCallback callback, uint32_t user) override;
    void KillEvent(unsigned id) override;

    // Runs one period of the live timer; false when none runs.
    bool Fire();
    bool Running() const { return callback_ != nullptr; }

    // Failure codes that tests make the timer report (0: success).
    int DevCapsResult = 0;
    int BeginPeriodResult = 0;

private:
    TTimerCallback callback_ = nullptr;
    uint32_t user_ = 0;
    unsigned id_ = 0;
};

}  // namespace fretlo
