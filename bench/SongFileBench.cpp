// Song files: loading and saving a maximal and a typical song, each measured against what
// zlib alone needs to inflate (level 9 streams) or deflate at level 9 the same body bytes.
// The counter "ratio" is the file code's time over zlib's, both taken in the same run;
// "tracks_ms" is the part of a load that the model needs to create and free empty tracks.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <ctime>
#include <random>

#include "base/ByteOrder.h"
#include "document/SongFile.h"
#include "document/TabDoc.h"

using namespace fretlo;

namespace {

using TBytes = std::vector<uint8_t>;

// This thread's processor time: the machine is shared, and time spent waiting for a core
// would blur the ratio.
struct TClock {
    using duration = std::chrono::nanoseconds;
    static std::chrono::time_point<TClock, duration> now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return std::chrono::time_point<TClock, duration>(duration(t.tv_sec * 1000000000LL + t.tv_nsec));
    }
};

// Dense notes and effect characters on every space, a track effect every 16 spaces.
void BuildSong(TCustomTabDoc& doc, int tracks, int spaces) {
    doc.New(16);
    doc.FreeTracks();
    doc.ClearBars();
    doc.LayOutBars(false, 0, 16, spaces * UnitsPerSpace);
    std::mt19937 random(42);
    const char effects[] = "hp/\\^b~";
    for (int t = 0; t < tracks; ++t) {
        auto track = std::make_unique<TTrackData>(false, spaces);
        for (int i = 0; i < spaces; ++i) {
            TSpace& s = track->Space(i);
            for (int string = 0; string < 6; ++string)
                if (random() % 2) s.Notes[string] = static_cast<uint8_t>(NoteFretBase + random() % 24);
            if (random() % 4 == 0) s.Effects[random() % 6] = static_cast<uint8_t>(effects[random() % 7]);
            if (i % 16 == 0) SetProp(s, pkVolume, static_cast<uint16_t>(60 + random() % 60));
        }
        doc.AddTrack(std::move(track));
    }
}

// The two zlib streams of a file, and their inflated bytes.
struct TStreams {
    TBytes packed[2];
    TBytes raw[2];
};

// Inflates into `out`, which is already as large as the data.
void InflateInto(const TBytes& packed, TBytes& out) {
    uLongf size = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK) std::abort();
    out.resize(size);
}

TStreams SplitStreams(const TBytes& file) {
    TStreams s;
    const size_t part1 = GetU32(file.data() + 48);
    s.packed[0].assign(file.begin() + SongHeaderSize,
                       file.begin() + static_cast<std::ptrdiff_t>(SongHeaderSize + part1));
    s.packed[1].assign(file.begin() + static_cast<std::ptrdiff_t>(SongHeaderSize + part1), file.end());
    for (int i = 0; i < 2; ++i) {
        s.raw[i].resize(64 << 20);
        InflateInto(s.packed[i], s.raw[i]);
    }
    return s;
}

double Seconds(TClock::duration d) { return std::chrono::duration<double>(d).count(); }

void Report(benchmark::State& state, double fileSeconds, double zlibSeconds, const TBytes& file) {
    state.counters["ratio"] = fileSeconds / zlibSeconds;
    state.counters["zlib_ms"] = 1000 * zlibSeconds / static_cast<double>(state.iterations());
    state.counters["file_KB"] = static_cast<double>(file.size()) / 1024;
}

void BM_Load(benchmark::State& state) {
    TCustomTabDoc source;
    BuildSong(source, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const TBytes file = BuildSongFile(source);
    const TStreams streams = SplitStreams(file);
    TCustomTabDoc doc;
    TBytes out[2] = {streams.raw[0], streams.raw[1]};
    double fileSeconds = 0, zlibSeconds = 0, trackSeconds = 0;
    for (auto _ : state) {
        const auto t0 = TClock::now();
        doc.LoadFromBytes(file, "/bench.frl");
        const auto t1 = TClock::now();
        for (int i = 0; i < 2; ++i) InflateInto(streams.packed[i], out[i]);
        benchmark::DoNotOptimize(out[1].data());
        const auto t2 = TClock::now();
        // What the document model itself needs: creating and freeing the empty tracks.
        for (int t = 0; t < source.TrackCount(); ++t)
            benchmark::DoNotOptimize(TTrackData(false, source.Track(t).SpaceCount()).Spaces());
        const auto t3 = TClock::now();
        fileSeconds += Seconds(t1 - t0);
        zlibSeconds += Seconds(t2 - t1);
        trackSeconds += Seconds(t3 - t2);
        state.SetIterationTime(Seconds(t1 - t0));
    }
    Report(state, fileSeconds, zlibSeconds, file);
    state.counters["tracks_ms"] = 1000 * trackSeconds / static_cast<double>(state.iterations());
}

void BM_Save(benchmark::State& state) {
    TCustomTabDoc doc;
    BuildSong(doc, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const TBytes file = BuildSongFile(doc);
    const TStreams streams = SplitStreams(file);
    TBytes out[2] = {TBytes(compressBound(static_cast<uLong>(streams.raw[0].size()))),
                     TBytes(compressBound(static_cast<uLong>(streams.raw[1].size())))};
    double fileSeconds = 0, zlibSeconds = 0;
    for (auto _ : state) {
        const auto t0 = TClock::now();
        benchmark::DoNotOptimize(BuildSongFile(doc));
        const auto t1 = TClock::now();
        for (int i = 0; i < 2; ++i) {
            uLongf size = static_cast<uLongf>(out[i].size());
            compress2(out[i].data(), &size, streams.raw[i].data(), static_cast<uLong>(streams.raw[i].size()),
                      9);
            benchmark::DoNotOptimize(out[i].data());
        }
        const auto t2 = TClock::now();
        fileSeconds += Seconds(t1 - t0);
        zlibSeconds += Seconds(t2 - t1);
        state.SetIterationTime(Seconds(t1 - t0));
    }
    Report(state, fileSeconds, zlibSeconds, file);
}

// {tracks, spaces}: the maximal song and a typical one.
BENCHMARK(BM_Load)
    ->Args({MaxTracks, MaxSpaces})
    ->Args({4, 2000})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)
    ->Args({MaxTracks, MaxSpaces})
    ->Args({4, 2000})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
