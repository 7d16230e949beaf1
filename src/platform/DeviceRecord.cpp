#include "platform/DeviceRecord.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/Errors.h"

namespace fretlo {

namespace {

constexpr size_t RecordSize = 12;
enum { LockWord = 0, ReservedWord = 1, OwnerWord = 2 };

[[noreturn]] void RaiseSystemError() { throw EFretloError(std::strerror(errno)); }

bool ProcessRuns(int pid) { return kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

std::string DeviceRecordName(int device) {
    return Format("/WinFretloPlayer-%.8X", static_cast<unsigned>(device));
}

// Holds the record's spin lock. A holder that died inside its few instructions would block
// everyone for ever, so after a second the lock is taken regardless.
class TDeviceRecord::TSpinGuard {
public:
    explicit TSpinGuard(uint32_t* words) : lock_(words[LockWord]) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (lock_.exchange(1) != 0 && std::chrono::steady_clock::now() < giveUp) sched_yield();
    }
    ~TSpinGuard() { lock_.exchange(0); }
    TSpinGuard(const TSpinGuard&) = delete;
    TSpinGuard& operator=(const TSpinGuard&) = delete;

private:
    std::atomic_ref<uint32_t> lock_;
};

TDeviceRecord::TDeviceRecord(int device) {
    const std::string name = DeviceRecordName(device);
    const int fd = shm_open(name.c_str(), O_RDWR | O_CREAT, 0600);
    if (fd < 0) RaiseSystemError();
    // A new object has size 0; growing it to the record size fills it with zeros.
    struct stat st {};
    if (fstat(fd, &st) != 0 ||
        (st.st_size < static_cast<off_t>(RecordSize) && ftruncate(fd, static_cast<off_t>(RecordSize)) != 0)) {
        const int err = errno;
        close(fd);
        errno = err;
        RaiseSystemError();
    }
    void* view = mmap(nullptr, RecordSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    const int err = errno;
    close(fd);
    errno = err;
    if (view == MAP_FAILED) RaiseSystemError();
    words_ = static_cast<uint32_t*>(view);
}

TDeviceRecord::~TDeviceRecord() { munmap(words_, RecordSize); }

int TDeviceRecord::OtherOwner() {
    int owner;
    {
        TSpinGuard guard(words_);
        owner = static_cast<int>(words_[OwnerWord]);
    }
    if (owner <= 0 || owner == getpid() || !ProcessRuns(owner)) return 0;
    return owner;
}

void TDeviceRecord::Claim() {
    TSpinGuard guard(words_);
    words_[ReservedWord] = 0;
    words_[OwnerWord] = static_cast<uint32_t>(getpid());
}

void TDeviceRecord::Disown() {
    TSpinGuard guard(words_);
    if (words_[OwnerWord] == static_cast<uint32_t>(getpid())) words_[OwnerWord] = 0;
}

}  // namespace fretlo
