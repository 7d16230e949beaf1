#include "platform/UnixReleaseChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>

#include "base/ByteOrder.h"
#include "base/Errors.h"

namespace fretlo {

namespace {

// Reads or writes exactly four bytes before the deadline; false on failure or time-out.
bool TransferWord(int fd, uint8_t* bytes, bool sending, std::chrono::steady_clock::time_point deadline) {
    size_t done = 0;
    while (done < 4) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, static_cast<short>(sending ? POLLOUT : POLLIN), 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t n =
            sending ? send(fd, bytes + done, 4 - done, MSG_NOSIGNAL) : recv(fd, bytes + done, 4 - done, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

socklen_t MakeAddress(int pid, sockaddr_un& address) {
    const std::string name = ReleaseSocketName(pid);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.data(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
}

// Closes a descriptor on every path.
struct TFd {
    int Fd;
    ~TFd() {
        if (Fd >= 0) close(Fd);
    }
};

}  // namespace

std::string ReleaseSocketName(int pid) {
    return std::string(1, '\0') + Format("Fretlo-2.03-Release-%d", pid);
}

bool TUnixReleaseRequest::RequestRelease(int ownerPid, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    TFd sock{socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)};
    if (sock.Fd < 0) return false;
    sockaddr_un address;
    const socklen_t length = MakeAddress(ownerPid, address);
    if (connect(sock.Fd, reinterpret_cast<sockaddr*>(&address), length) != 0) return false;
    uint8_t word[4];
    PutU32(word, PM_RELEASE_DEVICE);
    if (!TransferWord(sock.Fd, word, true, deadline)) return false;
    if (!TransferWord(sock.Fd, word, false, deadline)) return false;
    return GetU32(word) == ReleaseDoneReply;
}

TUnixReleaseListener::TUnixReleaseListener(std::function<bool()> closeDevice)
    : closeDevice_(std::move(closeDevice)) {
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) throw EFretloError(std::strerror(errno));
    sockaddr_un address;
    const socklen_t length = MakeAddress(getpid(), address);
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listenFd_, 4) != 0 ||
        pipe2(wakePipe_, O_CLOEXEC) != 0) {
        const std::string text = std::strerror(errno);
        close(listenFd_);
        if (wakePipe_[0] >= 0) close(wakePipe_[0]);
        throw EFretloError(text);
    }
    thread_ = std::thread([this] { Serve(); });
}

TUnixReleaseListener::~TUnixReleaseListener() {
    const char wake = 1;
    while (write(wakePipe_[1], &wake, 1) < 0 && errno == EINTR) {}
    thread_.join();
    close(listenFd_);
    close(wakePipe_[0]);
    close(wakePipe_[1]);
}

void TUnixReleaseListener::Serve() {
    for (;;) {
        pollfd p[2] = {{listenFd_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        if (poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        if (!(p[0].revents & POLLIN)) continue;
        TFd client{accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC)};
        if (client.Fd >= 0) Answer(client.Fd);
    }
}

void TUnixReleaseListener::Answer(int client) {
    // Only processes of the same user may take the device away.
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != getuid()) return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReleaseTimeoutMs);
    uint8_t word[4];
    if (!TransferWord(client, word, false, deadline) || GetU32(word) != PM_RELEASE_DEVICE) return;
    if (!closeDevice_()) return;
    PutU32(word, ReleaseDoneReply);
    TransferWord(client, word, true, deadline);
}

}  // namespace fretlo
