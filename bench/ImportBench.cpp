// Importing a MIDI file of 10,000 notes in 8 parts (drums, a bass and six guitars with chords,
// arpeggios and triplets, played a few ticks off the grid): reading it, the whole import with
// the song file built, and the whole fretlo-tool process.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "ProcessTime.h"
#include "document/SongFile.h"
#include "import/ImportMidi.h"
#include "platform/SafeFile.h"
#include "playback/ExportMidiBytes.h"

using namespace fretlo;
using fretlo::bench::RunProcessEachIteration;

namespace {

constexpr int Division = 480;
constexpr int Parts = 8;
constexpr int NotesPerPart = 1250;

struct TEvent {
    uint32_t Tick;
    uint8_t Status, Key, Velocity;
};

// The onsets of part `p`: chords on the beat, sixteenth arpeggios or eighth triplets by turns.
std::vector<TEvent> PartEvents(int p, std::mt19937& random) {
    const uint8_t channel = p == 0 ? 9 : static_cast<uint8_t>(p);
    std::uniform_int_distribution jitter(-4, 4);
    std::vector<TEvent> events;
    uint32_t beat = 0;
    for (int notes = 0; notes < NotesPerPart; beat += Division) {
        std::vector<std::pair<uint32_t, int>> onsets;  // offset in the beat, key
        if (p == 0) {
            for (uint32_t e = 0; e < 2; ++e) {
                onsets.push_back({e * Division / 2, 42});
                onsets.push_back({e * Division / 2, e == 0 ? 36 : 38});
            }
        } else if (p == 1) {
            onsets = {{0, 28 + static_cast<int>(beat / Division % 12)}, {Division / 2, 40}};
        } else if ((beat / Division + p) % 3 == 0) {
            for (const int k : {40, 47, 52, 56}) onsets.push_back({0, k + p});
        } else if ((beat / Division + p) % 3 == 1) {
            for (uint32_t s = 0; s < 4; ++s)
                onsets.push_back({s * Division / 4, 52 + p + 3 * static_cast<int>(s)});
        } else {
            for (uint32_t s = 0; s < 3; ++s)
                onsets.push_back({s * Division / 3, 60 + p - 2 * static_cast<int>(s)});
        }
        for (const auto& [offset, key] : onsets) {
            if (notes++ == NotesPerPart) break;
            const uint32_t on =
                static_cast<uint32_t>(std::max(0, static_cast<int>(beat + offset) + jitter(random)));
            events.push_back({on, static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key), 96});
            events.push_back(
                {on + Division / 8, static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key), 0});
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const TEvent& a, const TEvent& b) { return a.Tick < b.Tick; });
    return events;
}

// Format 1 with a tempo track, running status within each part, as sequencers write it.
const std::vector<uint8_t>& TestFile() {
    static const std::vector<uint8_t> file = [] {
        std::mt19937 random(18);
        TMidiBytes out;
        const size_t header = out.BeginChunk("MThd");
        out.U16(1);
        out.U16(Parts + 1);
        out.U16(Division);
        out.EndChunk(header);
        const size_t tempo = out.BeginChunk("MTrk");
        out.VarLen(0);
        out.Tempo(132);
        out.Append({0x00, 0xFF, 0x2F, 0x00});
        out.EndChunk(tempo);
        for (int p = 0; p < Parts; ++p) {
            const size_t at = out.BeginChunk("MTrk");
            uint32_t tick = 0;
            uint8_t running = 0;
            for (const TEvent& e : PartEvents(p, random)) {
                out.VarLen(e.Tick - tick);
                tick = e.Tick;
                if (e.Status != running) out.Append({e.Status});
                running = e.Status;
                out.Append({e.Key, e.Velocity});
            }
            out.Append({0x00, 0xFF, 0x2F, 0x00});
            out.EndChunk(at);
        }
        return out.Take();
    }();
    return file;
}

void BM_ReadMidi10000Notes(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadMidiSong(TestFile()).Parts.size());
}
BENCHMARK(BM_ReadMidi10000Notes)->Unit(benchmark::kMillisecond);

void BM_ImportMidi10000Notes(benchmark::State& state) {
    TCustomTabDoc doc;
    int placed = 0;
    for (auto _ : state) {
        placed = ImportMidi(ReadMidiSong(TestFile()), "bench", {}, doc).Placed();
        benchmark::DoNotOptimize(BuildSongFile(doc).size());
    }
    state.counters["placed"] = placed;
}
BENCHMARK(BM_ImportMidi10000Notes)->Unit(benchmark::kMillisecond);

// fretlo-tool import-midi from start to exit: loading the program, reading, importing and
// saving the song file.
void BM_ImportMidiProcess(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "fretlo-bench-import";
    std::filesystem::create_directories(dir);
    const std::string in = (dir / "in.mid").string(), out = (dir / "out.frl").string();
    WriteFileAtomically(in, TestFile());
    RunProcessEachIteration(state, {FRETLO_TOOL_PATH, "import-midi", in.c_str(), out.c_str(), nullptr});
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ImportMidiProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
