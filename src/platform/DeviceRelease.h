// Asking the process that owns a MIDI device to close it. The request is the message
// PM_RELEASE_DEVICE; the owner closes its device and answers 4444.
#pragma once

#include <cstdint>

namespace fretlo {

inline constexpr uint32_t PM_RELEASE_DEVICE = 0x0591;
inline constexpr uint32_t ReleaseDoneReply = 4444;
inline constexpr int ReleaseTimeoutMs = 5000;

// Implemented over a local socket by the program (Qt) and by the command line (POSIX).
class TDeviceReleaseRequest {
public:
    virtual ~TDeviceReleaseRequest() = default;
    // Sends the request to process `ownerPid`; true only when it answered 4444 in time.
    virtual bool RequestRelease(int ownerPid, int timeoutMs) = 0;
};

}  // namespace fretlo
