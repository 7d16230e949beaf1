// Printing a song of about 100 pages to PDF: the layout and painting in this process, and the
// whole fretlo-tool print process from start to exit.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>

#include "DenseSong.h"
#include "ProcessTime.h"
#include "platform/qt/HeadlessPlatform.h"
#include "view/PrintSurface.h"

using namespace fretlo;

namespace {

constexpr int Tracks = 4;
constexpr int Spaces = 400 * 16;  // A4 with half-inch margins holds four of its bars a page

void BM_PrintHundredPagesInProcess(benchmark::State& state) {
    const auto doc = bench::DenseSong(Tracks, Spaces);
    int pages = 0;
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
        TPrintSurfaceControl surface{TTabFontSettings{}};
        pages = surface.BuildLayout(*doc, TPrintOptions{}, LogicalPage(writer.pageLayout(), writer.resolution()));
        QPainter painter(&writer);
        TPagedTarget target(surface, writer, painter, writer.resolution());
        RunPrintJob(TPrintJob{1, pages, 1, true}, target);
        painter.end();
        surface.SetDocument(nullptr);
        benchmark::DoNotOptimize(pdf.size());
    }
    state.counters["pages"] = pages;
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

// The application lives on main's stack: Qt's own globals must outlive it.
int main(int argc, char** argv) {
    SelectHeadlessPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
