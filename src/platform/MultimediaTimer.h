// The multimedia timer as the player sees it: device capabilities, the raised resolution
// and one periodic callback with a 32-bit user word. Return codes follow the system's
// convention: 0 means success.
#pragma once

#include <cstdint>

namespace fretlo {

// Called on the timer's own thread with the user word given to SetEvent.
using TTimerCallback = void (*)(uint32_t user);

class TTimerService {
public:
    virtual ~TTimerService() = default;
    // The smallest period the timer supports, in ms.
    virtual int GetDevCaps(int& minPeriodMs) = 0;
    virtual int BeginPeriod(int periodMs) = 0;
    virtual int EndPeriod(int periodMs) = 0;
    // Starts a periodic timer; returns its identifier, never 0.
    virtual unsigned SetEvent(int periodMs, TTimerCallback callback, uint32_t user) = 0;
    // Stops the timer; no callback of it runs after this returns (unless called from it).
    virtual void KillEvent(unsigned id) = 0;
};

}  // namespace fretlo
