// The device-ownership record between two real processes: a live owner asked to release,
// an owner that cannot answer, and a dead owner.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "PlayerFixture.h"
#include "platform/DeviceRecord.h"
#include "platform/UnixReleaseChannel.h"

namespace fretlo::test {
namespace {

TEST(DeviceRecordName, IsTheDeviceIndexInEightHexDigits) {
    EXPECT_EQ(DeviceRecordName(-1), "/WinFretloPlayer-FFFFFFFF");
    EXPECT_EQ(DeviceRecordName(0x1ab), "/WinFretloPlayer-000001AB");
}

enum class TOwner { Answers, Deaf, Dies };

// A child process that owns the record of `device`; it tells the parent through a pipe
// when it holds the device and, when it answers, gives it up on request.
pid_t StartOwner(int device, TOwner kind, int ready) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    TDeviceRecord record(device);
    record.Claim();
    if (kind == TOwner::Dies) _exit(0);
    std::atomic<bool> released{false};
    std::unique_ptr<TUnixReleaseListener> listener;
    if (kind == TOwner::Answers)
        listener = std::make_unique<TUnixReleaseListener>([&] {
            record.Disown();
            released = true;
            return true;
        });
    const char byte = 1;
    if (write(ready, &byte, 1) != 1) _exit(2);
    for (int i = 0; i < 1000 && !released; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    listener.reset();
    _exit(released ? 0 : 3);
}

// A set of shared devices that records instead of sounding.
struct TSharedRecorder : TMidiRecorder {
    bool Shared() const override { return true; }
};

class DeviceOwnership : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(pipe(pipe_), 0); }
    void TearDown() override {
        close(pipe_[0]);
        close(pipe_[1]);
        shm_unlink(DeviceRecordName(device_).c_str());
    }
    pid_t Owner(TOwner kind) {
        const pid_t pid = StartOwner(device_, kind, pipe_[1]);
        if (kind != TOwner::Dies) {
            char byte;
            EXPECT_EQ(read(pipe_[0], &byte, 1), 1);
        }
        return pid;
    }
    int Exit(pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::unique_ptr<TPlayer> Take() {
        return std::make_unique<TPlayer>(doc_, TPlayerServices{&devices_, &clock_, &events_, &release_},
                                         device_);
    }

    // A device index of its own, so that runs in parallel do not meet.
    const int device_ = 0x7E000000 | (getpid() & 0xFFFFF);
    int pipe_[2];
    TCustomTabDoc doc_;
    TSharedRecorder devices_;
    TVirtualClock clock_;
    TCountingEvents events_;
    TUnixReleaseRequest release_;
};

TEST_F(DeviceOwnership, ALiveOwnerIsAskedAndReleasesTheDevice) {
    const pid_t owner = Owner(TOwner::Answers);
    {
        TDeviceRecord record(device_);
        EXPECT_EQ(record.OtherOwner(), owner);
    }
    auto player = Take();
    EXPECT_EQ(Exit(owner), 0);
    TDeviceRecord record(device_);
    EXPECT_EQ(record.OtherOwner(), 0);  // this process owns it now
    player.reset();
    EXPECT_EQ(record.OtherOwner(), 0);
}

TEST_F(DeviceOwnership, AnOwnerThatDoesNotAnswerKeepsTheDevice) {
    const pid_t owner = Owner(TOwner::Deaf);
    try {
        Take();
        FAIL() << "the device was taken";
    } catch (const EPlayerError& e) {
        EXPECT_STREQ(e.what(), "Another Fretlo instance is using the sound card. Please switch to the "
                               "other Fretlo instance and select Close Device on the Play menu, then "
                               "try again.");
    }
    EXPECT_FALSE(TUnixReleaseRequest().RequestRelease(owner, 200));
    kill(owner, SIGKILL);
    Exit(owner);
}

TEST_F(DeviceOwnership, ADeadOwnerIsIgnored) {
    const pid_t owner = Owner(TOwner::Dies);
    EXPECT_EQ(Exit(owner), 0);
    TDeviceRecord record(device_);
    EXPECT_EQ(record.OtherOwner(), 0);
    EXPECT_NO_THROW(Take());
}

}  // namespace
}  // namespace fretlo::test
