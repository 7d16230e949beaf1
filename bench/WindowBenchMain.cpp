// The main of every benchmark that needs widgets: the headless platform and one application
// on main's stack, since Qt's own globals must outlive every widget a benchmark makes.
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
