// The exports of a maximal song (15 tracks of 32000 spaces, a note on every space) and the
// time at its last space.
#include <benchmark/benchmark.h>

#include "document/TabDoc.h"
#include "document/TrackProps.h"
#include "export/ExportText.h"
#include "playback/ExportMidi.h"
#include "playback/TimeAtCursor.h"

using namespace fretlo;

namespace {

const std::bitset<MaxTracks> AllTracks = std::bitset<MaxTracks>().set();

// Bars of 16 spaces; every 64th bar closes a repeat of 4 bars; a tempo change every 100 bars.
TCustomTabDoc& MaximalSong() {
    static TCustomTabDoc doc;
    if (doc.TrackCount() == MaxTracks) return doc;
    doc.New(16);
    doc.LayOutBars(false, 0, 16, MaxSpaces * UnitsPerSpace);
    for (int b = 3; b < doc.BarCount(); b += 64) {
        doc.Bar(b - 3).RepeatStart = 1;
        doc.Bar(b).RepeatEnd = 1;
        doc.Bar(b).RepeatCount = 1;
    }
    while (doc.TrackCount() < MaxTracks) doc.AddTrack(std::make_unique<TTrackData>(false, 1));
    for (int t = 0; t < MaxTracks; ++t) {
        TTrackData& track = doc.Track(t);
        track.SetSpaceCount(MaxSpaces);
        for (int i = 0; i < MaxSpaces; ++i) {
            track.Space(i).Notes[i % 6] = static_cast<uint8_t>(NoteFretBase + i % 24);
            if (i % 7 == 0) track.Space(i).Effects[i % 6] = 'h';
        }
        if (t == 0)
            for (int i = 0; i < MaxSpaces; i += 1600) SetProp(track.Space(i), pkTempo, 100 + i % 50);
    }
    return doc;
}

void BM_ExportMidiMaximalSong(benchmark::State& state) {
    TCustomTabDoc& doc = MaximalSong();
    size_t bytes = 0;
    for (auto _ : state) bytes = RenderMidiFile(doc, AllTracks, {}).size();
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ExportMidiMaximalSong)->Unit(benchmark::kMillisecond);

void BM_ExportTextMaximalSong(benchmark::State& state) {
    TCustomTabDoc& doc = MaximalSong();
    size_t bytes = 0;
    for (auto _ : state) bytes = ExportText(doc, "song.txt", {}, AllTracks).size();
    state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ExportTextMaximalSong)->Unit(benchmark::kMillisecond);

void BM_TimeAtLastSpace(benchmark::State& state) {
    TCustomTabDoc& doc = MaximalSong();
    for (auto _ : state) benchmark::DoNotOptimize(TimeAtCursor(doc, 14, MaxSpaces - 1));
}
BENCHMARK(BM_TimeAtLastSpace)->Unit(benchmark::kMillisecond);

}  // namespace
