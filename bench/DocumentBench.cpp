// Song document: building a maximal song, the space-time cache and time lookups.
#include <benchmark/benchmark.h>

#include <random>

#include "document/TabDoc.h"

using namespace fretlo;

namespace {

// A new song grown to 15 tracks of 32000 spaces with a note on every space.
void BM_NewSongFill15Tracks(benchmark::State& state) {
    for (auto _ : state) {
        TCustomTabDoc doc;
        doc.New(16);
        while (doc.TrackCount() < MaxTracks) doc.AddTrack(std::make_unique<TTrackData>(false, 1));
        for (int t = 0; t < MaxTracks; ++t) {
            TTrackData& track = doc.Track(t);
            track.SetSpaceCount(MaxSpaces);
            for (int i = 0; i < MaxSpaces; ++i)
                track.Space(i).Notes[i % 6] = static_cast<uint8_t>(128 + i % 24);
        }
        benchmark::DoNotOptimize(doc.Track(14).Space(31999).Notes[0]);
    }
}
BENCHMARK(BM_NewSongFill15Tracks)->Unit(benchmark::kMillisecond);

// Recomputing the time cache of a 32000-space track with triplet regions.
void BM_TimeCacheRecompute(benchmark::State& state) {
    TTrackData track(false, MaxSpaces);
    for (int i = 0; i < MaxSpaces; i += 64) track.SetRatio(i, 12, 2, 3);
    for (auto _ : state) {
        track.InvalidateTimes();
        benchmark::DoNotOptimize(track.TotalTime());
    }
}
BENCHMARK(BM_TimeCacheRecompute)->Unit(benchmark::kMicrosecond);

// One million SpaceAtTime lookups at random times on a 32000-space track.
void BM_SpaceAtTimeMillion(benchmark::State& state) {
    TCustomTabDoc doc;
    doc.New(16);
    doc.Track(0).SetSpaceCount(MaxSpaces);
    for (int i = 0; i < MaxSpaces; i += 64) doc.Track(0).SetRatio(i, 12, 2, 3);
    const int32_t total = doc.Track(0).TotalTime();
    std::mt19937 rng(1);
    std::vector<int32_t> times(1'000'000);
    for (auto& t : times) t = static_cast<int32_t>(rng() % static_cast<uint32_t>(total));
    for (auto _ : state) {
        int64_t sum = 0;
        for (int32_t t : times) sum += doc.SpaceAtTime(0, t);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SpaceAtTimeMillion)->Unit(benchmark::kMillisecond);

}  // namespace
