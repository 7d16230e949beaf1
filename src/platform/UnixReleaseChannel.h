// The device-release request over a Unix-domain socket in the abstract namespace, one per
// process, named "Fretlo-2.03-Release-<pid>": the owner is found by the process id that the
// device record holds. Wire form: the asker sends the u32 0x0591 (little-endian), the owner
// answers the u32 4444 once its device is closed.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "platform/DeviceRelease.h"

namespace fretlo {

// The socket address of process `pid` (with the leading zero byte of the abstract namespace).
std::string ReleaseSocketName(int pid);

class TUnixReleaseRequest : public TDeviceReleaseRequest {
public:
    bool RequestRelease(int ownerPid, int timeoutMs) override;
};

// Answers release requests of other processes of the same user. `closeDevice` runs on the
// listener's own thread and returns true once the device is closed.
class TUnixReleaseListener {
public:
    explicit TUnixReleaseListener(std::function<bool()> closeDevice);
    ~TUnixReleaseListener();
    TUnixReleaseListener(const TUnixReleaseListener&) = delete;
    TUnixReleaseListener& operator=(const TUnixReleaseListener&) = delete;

private:
    void Serve();
    void Answer(int client);

    std::function<bool()> closeDevice_;
    int listenFd_ = -1;
    int wakePipe_[2] = {-1, -1};
    std::thread thread_;
};

}  // namespace fretlo
