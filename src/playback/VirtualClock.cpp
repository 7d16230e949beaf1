#include "playback/VirtualClock.h"

namespace fretlo {

int TVirtualClock::GetDevCaps(int& minPeriodMs) {
    minPeriodMs = 1;
    return DevCapsResult;
}

unsigned TVirtualClock::SetEvent(int, TTimerCallback callback, uint32_t user) {
    callback_ = callback;
    user_ = user;
    return ++id_;
}

void TVirtualClock::KillEvent(unsigned id) {
    if (id == id_) callback_ = nullptr;
}

bool TVirtualClock::Fire() {
    if (!callback_) return false;
    callback_(user_);
    return true;
}

}  // namespace fretlo
