// The real timer thread: periodic callbacks, killing (also from inside a callback) and a
// player ticked by it while the user-interface thread seeks and reads its position.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "PlayerFixture.h"
#include "platform/ThreadTimer.h"

namespace fretlo::test {
namespace {

std::atomic<int> calls{0};
std::atomic<uint32_t> lastUser{0};
TThreadTimer* selfKillingTimer = nullptr;
std::atomic<unsigned> selfKillingId{0};

void Count(uint32_t user) {
    lastUser.store(user);
    ++calls;
}

std::atomic<int> callsAtKill{-1};

// Kills its timer once the timer's identifier is known (the first calls may come before
// SetEvent has returned it).
void KillMyself(uint32_t) {
    const int n = ++calls;
    const unsigned id = selfKillingId.load();
    if (id == 0 || callsAtKill.load() >= 0) return;
    callsAtKill.store(n);
    selfKillingTimer->KillEvent(id);
}

// Waits (at most a few seconds) until `done` holds; timings are never asserted.
template <typename F> bool WaitFor(F done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST(ThreadTimer, CallsBackPeriodicallyUntilKilled) {
    calls = 0;
    TThreadTimer timer;
    const unsigned id = timer.SetEvent(1, Count, 77);
    EXPECT_NE(id, 0u);
    EXPECT_TRUE(WaitFor([] { return calls.load() >= 5; }));
    timer.KillEvent(id);
    const int after = calls.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(calls.load(), after);
    EXPECT_EQ(lastUser.load(), 77u);
}

TEST(ThreadTimer, ATimerMayKillItselfFromItsCallback) {
    calls = 0;
    callsAtKill = -1;
    selfKillingId = 0;
    TThreadTimer timer;
    selfKillingTimer = &timer;
    selfKillingId = timer.SetEvent(1, KillMyself, 0);
    EXPECT_TRUE(WaitFor([] { return callsAtKill.load() >= 0; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(calls.load(), callsAtKill.load());
}

struct TThreadEvents : TPlayerEvents {
    void PostPosition() override { PositionPending.store(0); }
    void PostSongEnd() override { Ended.store(true); }
    void PostPlayError(std::unique_ptr<std::string>) override { Failed.store(true); }
    std::atomic<bool> Ended{false};
    std::atomic<bool> Failed{false};
};

TEST(PlayerOnTimerThread, PlaysToTheEndWhileTheViewSeeksAndReads) {
    TCustomTabDoc doc;
    doc.New(16);
    doc.Tempo = 3000;  // a bar in about 80 ms
    for (int i = 0; i < 128; i += 2) doc.Track(0).Space(i).Notes[i % 6] = uint8_t(NoteFretBase + i % 12);
    TMidiRecorder rec;
    TThreadTimer timer;
    TThreadEvents events;
    TPlayer player(doc, {&rec, &timer, &events, nullptr}, -1);
    player.SetSettings({true, 96, true, 37, false, false});
    player.PlayFrom(0, false);
    ASSERT_TRUE(WaitFor([&] { return player.Position() >= 2048; }));
    player.Seek(doc.Bar(120).Start);
    int lastSeen = -1;
    EXPECT_TRUE(WaitFor([&] {
        lastSeen = player.LastPlayedSpace(0);
        return events.Ended.load();
    }));
    player.Stop();
    EXPECT_FALSE(events.Failed.load());
    EXPECT_GE(lastSeen, 0);
    EXPECT_EQ(rec.Events.back(), Cc(0, 0, 120, 0));  // Stop ran after the last tick
}

TEST(PlayerOnTimerThread, RestartingKeepsOnlyTheNewTimerAlive) {
    TCustomTabDoc doc;
    doc.New(16);
    TMidiRecorder rec;
    TThreadTimer timer;
    TThreadEvents events;
    TPlayer player(doc, {&rec, &timer, &events, nullptr}, -1);
    for (int i = 0; i < 20; ++i) {
        player.PlayFrom(i * 256, false);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    player.Stop();
    const size_t sent = rec.Events.size();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(rec.Events.size(), sent);
}

}  // namespace
}  // namespace fretlo::test
