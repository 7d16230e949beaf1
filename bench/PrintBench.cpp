// Printing a song of about 100 pages to PDF: the layout and painting in this process, and the
// whole fretlo-tool print process from start to exit.
#include <benchmark/benchmark.h>

#include <QPageLayout>
#include <filesystem>

#include "DenseSong.h"
#include "ProcessTime.h"
#include "view/PrintPdf.h"

using namespace fretlo;

namespace {

constexpr int Tracks = 4;
constexpr int Spaces = 400 * 16;  // A4 with half-inch margins holds four of its bars a page

void BM_PrintHundredPagesInProcess(benchmark::State& state) {
    const auto doc = bench::DenseSong(Tracks, Spaces);
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                         QPageLayout::Inch);
    for (auto _ : state) benchmark::DoNotOptimize(PrintToPdf(*doc, TPrintOptions{}, TTabFontSettings{}, a4).size());
}
BENCHMARK(BM_PrintHundredPagesInProcess)->Unit(benchmark::kMillisecond);

void BM_PrintHundredPagesProcess(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "fretlo-bench-print";
    std::filesystem::create_directories(dir);
    const std::string in = (dir / "song.frl").string(), out = (dir / "song.pdf").string();
    bench::DenseSong(Tracks, Spaces)->SaveToFile(in);
    bench::RunProcessEachIteration(state, {FRETLO_TOOL_PATH, "print", in.c_str(), out.c_str(), nullptr});
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PrintHundredPagesProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
