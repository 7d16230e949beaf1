// Start-up of the main window: from constructing it with the demo song until the tablature
// view has handled its first paint (settings read, menus, toolbars and glyphs built, the song
// loaded and laid out). The process start and the QApplication come on top of this; the script
// scripts/startup-time measures the whole program under Xvfb.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "shell/Main.h"
#include "shell/ProgramData.h"
#include "view/TabEditorView.h"

namespace fretlo {
namespace {

// Notes when its widget has been painted.
class TPaintWatch : public QObject {
public:
    bool Painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) Painted = true;
        return false;
    }
};

void BM_StartUpToFirstPaint(benchmark::State& state) {
    const QString demo = ProgramDataFolder() + "/Demo Songs/Demo.frl";
    QTemporaryDir config;
    for (auto _ : state) {
        auto form = std::make_unique<TMainForm>(demo, config.filePath("WinFretlo.ini"));
        TPaintWatch watch;
        form->View().installEventFilter(&watch);
        form->show();
        while (!watch.Painted) QApplication::processEvents();
        QApplication::processEvents();  // the paint itself and what it posted
        state.PauseTiming();
        form->View().removeEventFilter(&watch);
        form.reset();  // writing the settings at exit is not start-up
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace fretlo
