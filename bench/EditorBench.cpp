// Editor view: from a typed fret to the repainted strip, on a dense six-track song with
// the cursor at bar 1000, in a window on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "edit/AltTimeRegion.h"
#include "view/TabContainer.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"

using namespace fretlo;

namespace {

constexpr int BenchBars = 1200;
constexpr int CursorBar = 1000;

// Six tracks, bars of 16 spaces, a three-note chord on every space.
void FillDenseSong(TTabDocument& doc) {
    doc.New(16);
    doc.ClearBars();
    doc.LayOutBars(false, 0, 16, BenchBars * 16 * UnitsPerSpace);
    doc.Track(0).SetSpaceCount(BenchBars * 16);
    while (doc.TrackCount() < 6) doc.AddTrack(std::make_unique<TTrackData>(false, BenchBars * 16));
    for (int t = 0; t < doc.TrackCount(); ++t)
        for (int s = 0; s < BenchBars * 16; ++s)
            for (int string = 0; string < 3; ++string)
                doc.Track(t).Space(s).Notes[(s + string * 2) % 6] =
                    static_cast<uint8_t>(NoteFretBase + (s + t) % 15);
    doc.Modified = false;
}

struct TEditorWindow {
    TTabDocument doc;
    TTabEditorView* view = new TTabEditorView;
    TTabContainer container{view};

    TEditorWindow() {
        FillDenseSong(doc);
        view->SetTabDocument(&doc);
        container.resize(1280, 720);
        container.show();
        view->setFocus();
        const int space = doc.Track(2).SpaceCount() * CursorBar / BenchBars + 5;
        view->SetCursorTrack(2);
        view->SetCursorSpace(space, csTrackChanged);
        view->SetCursorString(4);
        QApplication::processEvents();
    }
};

const QEvent::Type DeferredRepaint = static_cast<QEvent::Type>(QEvent::User + 500);

// The work of one keystroke on the user-interface thread: the edit with its undo record
// and the deferred repaint that lays out the bar again and paints its strip; with
// eventLoop:1 also everything else the event loop does afterwards (caret, ruler, flush).
void BM_TypeFret(benchmark::State& state) {
    TEditorWindow w;
    const char digits[] = "1234";
    int i = 0;
    for (auto _ : state) {
        w.view->SendChar(digits[i++ % 4]);
        if (state.range(0))
            QApplication::processEvents();
        else
            QCoreApplication::sendPostedEvents(w.view, DeferredRepaint);
    }
}
BENCHMARK(BM_TypeFret)->ArgName("eventLoop")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Moving the cursor one space with Shift held: the selection grows and its highlight
// changes by one column.
void BM_ExtendSelectionBySpace(benchmark::State& state) {
    TEditorWindow w;
    const int start = w.view->Cursor().Space;
    int n = 0;
    for (auto _ : state) {
        if (++n % 32 == 0) w.view->SetCursorSpace(start, csNoExtend);
        w.view->SendKey(Qt::Key_Right, Qt::ShiftModifier);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ExtendSelectionBySpace)->Unit(benchmark::kMicrosecond);

// A triplet made of the two spaces at the cursor and removed again, each with its undo
// record and the repaint of the view: what Ctrl+W and its dialogs' OK cost after the dialog.
void BM_CreateAndRemoveTriplet(benchmark::State& state) {
    TEditorWindow w;
    const TEditCursor at = w.view->Cursor();
    for (auto _ : state) {
        CreateAltTimeRegion(w.doc, TRegionToCreate{at.Track, at.Space, 2}, 2, 3);
        QApplication::processEvents();
        w.view->SetCursorSpace(at.Space, csNoExtend);
        const TAltTimeRequest request = FindAltTimeRequest(w.doc);
        RemoveAltTimeRegion(w.doc, std::get<TRegionToRemove>(request), true);
        QApplication::processEvents();
    }
    state.counters["spaces"] = w.doc.Track(at.Track).SpaceCount();
}
BENCHMARK(BM_CreateAndRemoveTriplet)->Unit(benchmark::kMicrosecond);

}  // namespace
