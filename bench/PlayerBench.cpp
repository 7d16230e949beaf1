// Playback: the cost of one busy tick, offline rendering speed and the timer thread's
// lateness. The lateness run lasts 5 s; FRETLO_TIMER_SECONDS=60 gives the long measurement.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>
#include <vector>

#include "platform/ThreadTimer.h"
#include "platform/midi/FluidSynth.h"
#include "playback/MidiRecorder.h"
#include "playback/Player.h"
#include "playback/VirtualClock.h"
#include "playback/VirtualPlayback.h"

// Counting replacements of the global allocator: a tick must not allocate.
namespace {
std::atomic<long> allocations{0};
}  // namespace

#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace fretlo;

namespace {

// 15 tracks with a six-string chord and a volume and pan change on every space.
void MakeBusySong(TCustomTabDoc& doc, int bars) {
    doc.New(16);
    doc.ClearBars();
    doc.LayOutBars(false, 0, 16, bars * 16 * UnitsPerSpace);
    doc.Track(0).SetSpaceCount(bars * 16);
    while (doc.TrackCount() < MaxTracks) doc.AddTrack(std::make_unique<TTrackData>(false, bars * 16));
    for (int t = 0; t < MaxTracks; ++t) {
        TTrackData& track = doc.Track(t);
        track.LetRing = t % 2 == 0;
        for (int i = 0; i < track.SpaceCount(); ++i) {
            for (int s = 0; s < 6; ++s) track.Space(i).Notes[s] = uint8_t(NoteFretBase + (i + s) % 12);
            track.Space(i).Effects[1] = 'h';
            SetProp(track.Space(i), pkVolume, uint16_t(60 + i % 40));
            SetProp(track.Space(i), pkPan, uint16_t(i % 128));
        }
    }
}

struct TQuietEvents : TPlayerEvents {
    void PostPosition() override { PositionPending.store(0); }
    void PostSongEnd() override { Ended = true; }
    void PostPlayError(std::unique_ptr<std::string>) override {}
    bool Ended = false;
};

// At tempo 1875 a tick covers exactly one space, so every tick plays all 15 tracks.
// Argument 1 practises: a two-bar loop at 75 %, jumping back every 43 ticks or so.
void BM_BusyTick15Tracks(benchmark::State& state) {
    TCustomTabDoc doc;
    MakeBusySong(doc, 64);
    doc.Tempo = 1875;
    TMidiRecorder rec;
    rec.Recording = false;
    TVirtualClock clock;
    TQuietEvents events;
    TPlayer player(doc, {&rec, &clock, &events, nullptr}, -1);
    player.SetSettings({true, 96, true, 37, false, false});
    if (state.range(0) == 1) {
        TPractice practice;
        practice.Loop = true;
        practice.LoopStart = doc.Bar(8).Start;
        practice.LoopEnd = doc.Bar(9).End;
        practice.Speed = 75;
        player.SetPractice(practice);
    }
    player.PlayFrom(0, false);
    long ticks = 0, allocated = 0;
    for (auto _ : state) {
        const long before = allocations.load();
        clock.Fire();
        allocated += allocations.load() - before;
        ++ticks;
        if (events.Ended) {
            state.PauseTiming();
            events.Ended = false;
            player.PlayFrom(0, false);
            state.ResumeTiming();
        }
    }
    state.counters["messages_per_tick"] = double(rec.MessageCount) / double(std::max(ticks, 1L));
    state.counters["allocations_per_tick"] = double(allocated) / double(std::max(ticks, 1L));
}
BENCHMARK(BM_BusyTick15Tracks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Renders 16 bars of the busy song's first two tracks at 48 kHz.
class TRenderTicks : public TVirtualRunHooks {
public:
    explicit TRenderTicks(TFluidSynth& synth) : synth_(synth) { samples_.reserve(1 << 22); }
    void AfterTick(int) override {
        samples_.clear();
        synth_.Render(SynthSampleRate * PlayerTickMs / 1000, samples_);
    }

private:
    TFluidSynth& synth_;
    std::vector<int16_t> samples_;
};

void BM_RenderSpeed(benchmark::State& state) {
    const std::string font = FindSoundFont("");
    if (font.empty()) {
        state.SkipWithError("no SoundFont installed");
        return;
    }
    TCustomTabDoc doc;
    MakeBusySong(doc, 16);
    while (doc.TrackCount() > 2) doc.RemoveTrack(doc.TrackCount() - 1);
    TFluidRenderer renderer(font, SynthSampleRate);
    TPlaybackRequest request;
    request.LastTrack = 1;
    double songSeconds = 0, busySeconds = 0;
    for (auto _ : state) {
        TRenderTicks hooks(renderer.Synth());
        const auto start = std::chrono::steady_clock::now();
        songSeconds += RunVirtualPlayback(doc, renderer, request, hooks) * PlayerTickMs / 1000.0;
        busySeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["times_real_time"] = songSeconds / busySeconds;
}
BENCHMARK(BM_RenderSpeed)->Unit(benchmark::kMillisecond)->Iterations(2);

// Lateness of each tick behind its absolute deadline (start + n x 8 ms).
std::vector<std::chrono::steady_clock::time_point> wakeups;
std::atomic<size_t> wakeupCount{0};

void RecordWakeup(uint32_t) {
    const size_t n = wakeupCount.load();
    if (n < wakeups.size()) {
        wakeups[n] = std::chrono::steady_clock::now();
        wakeupCount.store(n + 1);
    }
}

void BM_TimerLateness(benchmark::State& state) {
    const char* env = std::getenv("FRETLO_TIMER_SECONDS");
    const int seconds = env ? std::max(1, std::atoi(env)) : 5;
    const size_t ticks = size_t(seconds) * 1000 / PlayerTickMs;
    for (auto _ : state) {
        wakeups.assign(ticks, {});
        wakeupCount = 0;
        TThreadTimer timer;
        const auto start = std::chrono::steady_clock::now();
        const unsigned id = timer.SetEvent(PlayerTickMs, RecordWakeup, 0);
        while (wakeupCount.load() < ticks) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        timer.KillEvent(id);
        std::vector<double> late(ticks);
        for (size_t i = 0; i < ticks; ++i) {
            const auto deadline = start + std::chrono::milliseconds(PlayerTickMs * long(i + 1));
            late[i] = std::chrono::duration<double, std::micro>(wakeups[i] - deadline).count();
        }
        // Deadlines are absolute: the last tick is no later than any other, however long the run.
        state.counters["last_us"] = late.back();
        std::sort(late.begin(), late.end());
        double sum = 0;
        for (double l : late) sum += l;
        state.counters["ticks"] = double(ticks);
        state.counters["mean_us"] = sum / double(ticks);
        state.counters["p99_us"] = late[ticks * 99 / 100];
        state.counters["max_us"] = late.back();
    }
}
BENCHMARK(BM_TimerLateness)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
