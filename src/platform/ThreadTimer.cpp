#include "platform/ThreadTimer.h"

#include <pthread.h>
#include <sched.h>

#include <chrono>
#include <condition_variable>
#include <thread>

namespace fretlo {

class TThreadTimer::TWorker {
public:
    TWorker(int periodMs, TTimerCallback callback, uint32_t user)
        : state_(std::make_shared<TState>()),
          thread_([state = state_, start = std::chrono::steady_clock::now(), periodMs, callback, user] {
              Run(*state, start, periodMs, callback, user);
          }) {
        AskForRealTime();
    }

    ~TWorker() {
        {
            std::lock_guard lock(state_->Mutex);
            state_->Stop = true;
        }
        state_->Wake.notify_one();
        // A timer killed from its own callback cannot wait for itself; the thread keeps
        // the state alive until it leaves.
        if (std::this_thread::get_id() == thread_.get_id())
            thread_.detach();
        else
            thread_.join();
    }

private:
    struct TState {
        std::mutex Mutex;
        std::condition_variable Wake;
        bool Stop = false;
    };

    // The deadlines count from the moment the timer was set, not from when its thread ran.
    static void Run(TState& state, std::chrono::steady_clock::time_point start, int periodMs,
                    TTimerCallback callback, uint32_t user) {
        const auto period = std::chrono::milliseconds(periodMs);
        auto deadline = start + period;
        std::unique_lock lock(state.Mutex);
        while (!state.Wake.wait_until(lock, deadline, [&state] { return state.Stop; })) {
            lock.unlock();
            callback(user);
            lock.lock();
            deadline += period;
        }
    }

    // SCHED_FIFO keeps the ticks punctual while the cores are busy; without the
    // privilege the timer runs at normal priority.
    void AskForRealTime() {
        sched_param param{};
        param.sched_priority = 10;
        pthread_setschedparam(thread_.native_handle(), SCHED_FIFO, &param);
    }

    std::shared_ptr<TState> state_;
    std::thread thread_;
};

TThreadTimer::TThreadTimer() = default;

TThreadTimer::~TThreadTimer() {
    std::map<unsigned, std::unique_ptr<TWorker>> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
}

int TThreadTimer::GetDevCaps(int& minPeriodMs) {
    minPeriodMs = 1;
    return 0;
}

// The kernel's timers are already fine-grained: nothing to raise.
int TThreadTimer::BeginPeriod(int) { return 0; }
int TThreadTimer::EndPeriod(int) { return 0; }

unsigned TThreadTimer::SetEvent(int periodMs, TTimerCallback callback, uint32_t user) {
    std::lock_guard lock(mutex_);
    const unsigned id = nextId_++;
    workers_.emplace(id, std::make_unique<TWorker>(periodMs, callback, user));
    return id;
}

void TThreadTimer::KillEvent(unsigned id) {
    std::unique_ptr<TWorker> worker;
    {
        std::lock_guard lock(mutex_);
        auto it = workers_.find(id);
        if (it == workers_.end()) return;
        worker = std::move(it->second);
        workers_.erase(it);
    }
    // Destroyed outside the map's lock, so a callback that sets up another timer cannot block it.
}

}  // namespace fretlo
