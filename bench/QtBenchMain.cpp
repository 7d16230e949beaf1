// The main of the benchmarks that draw: a QApplication on Qt's offscreen platform when there
// is no display. It lives on main's stack, since Qt's own globals must outlive it.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/qt/HeadlessPlatform.h"

int main(int argc, char** argv) {
    fretlo::SelectHeadlessPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
