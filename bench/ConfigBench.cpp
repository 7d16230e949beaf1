// The settings passes the editor makes at start-up and at exit, on a store that has been used
// for a while (recent files, saved schemes, tuning presets).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "shell/Config.h"

namespace {

using namespace fretlo;

// The font checks need a QGuiApplication; one serves every benchmark.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "bench_shell";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// A store as a user's looks after some use.
QString UsedStore(const QTemporaryDir& dir) {
    const QString file = dir.filePath("WinFretlo.ini");
    TSettings settings;
    settings.ToolbarLayout.assign(300, 7);
    SaveSettings(settings, file);
    TConfigIniFile store(file);
    for (int i = 0; i < MaxRecentFiles; ++i)
        RememberRecentFile(store, "/home/u/Tabs/" + std::to_string(i), "x");
    for (int i = 0; i < 8; ++i) WriteScheme(store, "Scheme " + std::to_string(i), DarkScheme);
    for (int i = 0; i < 20; ++i)
        store.WriteBinary("Tunings/#6-0", "Preset " + std::to_string(i), settings.ToolbarLayout);
    return file;
}

void BM_LoadSettings(benchmark::State& state) {
    EnsureApplication();
    const QTemporaryDir dir;
    const QString file = UsedStore(dir);
    for (auto _ : state) benchmark::DoNotOptimize(LoadSettings(file));
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

void BM_SaveSettings(benchmark::State& state) {
    EnsureApplication();
    const QTemporaryDir dir;
    const QString file = UsedStore(dir);
    TSettings settings = LoadSettings(file);
    for (auto _ : state) {
        settings.Maximized2 = !settings.Maximized2;  // a change, so every pass really writes the file
        SaveSettings(settings, file);
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

}  // namespace
