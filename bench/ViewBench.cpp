// Tablature view: laying out a maximal song, re-laying out one bar after an edit,
// and painting one full-HD window of a dense song off screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "document/TabDoc.h"
#include "view/TabView.h"

using namespace fretlo;

namespace {

// Normal: cell 15, digits 8, other characters 7; Small: cell 13, all 6.
TTabMetrics BenchMetrics() {
    TFontWidths normal;
    normal.Height = 15;
    normal.Char.fill(7);
    for (char d = '0'; d <= '9'; ++d) normal.Char[uint8_t(d)] = 8;
    TFontWidths small;
    small.Height = 13;
    small.Char.fill(6);
    return ComputeMetrics(normal, small);
}

// `tracks` tracks of `spaces` spaces in bars of 16, a note in every space, an effect,
// a two-digit fret and a triplet now and then.
std::unique_ptr<TCustomTabDoc> DenseSong(int tracks, int spaces) {
    auto doc = std::make_unique<TCustomTabDoc>();
    doc->New(16);
    doc->ClearBars();
    doc->LayOutBars(false, 0, 16, spaces * UnitsPerSpace);
    doc->Track(0).SetSpaceCount(spaces);
    for (int t = 1; t < tracks; ++t) doc->AddTrack(std::make_unique<TTrackData>(false, spaces));
    for (int t = 0; t < tracks; ++t) {
        TTrackData& track = doc->Track(t);
        for (int s = 0; s < spaces; ++s) {
            TSpace& sp = track.Space(s);
            sp.Notes[(s + t) % 6] = static_cast<uint8_t>(NoteFretBase + (s * 7 + t) % 24);
            sp.Notes[(s + t + 2) % 6] = static_cast<uint8_t>(NoteFretBase + s % 5);
            if (s % 5 == 0) sp.Effects[(s + t) % 6] = "h/(~<"[(s / 5) % 5];
        }
        for (int s = 96 + t * 16; s + 3 < spaces; s += 256) track.SetRatio(s, 3, 2, 3);
    }
    return doc;
}

void BM_LayOutMaximalSong(benchmark::State& state) {
    const auto doc = DenseSong(MaxTracks, MaxSpaces);
    TTabLayout layout;
    layout.SetMetrics(BenchMetrics());
    layout.SetDocument(doc.get());
    for (auto _ : state) {
        layout.InvalidateAll();
        layout.RecomputeTotalWidth();
        benchmark::DoNotOptimize(layout.TotalWidth());
    }
    state.counters["bars"] = doc->BarCount();
}
BENCHMARK(BM_LayOutMaximalSong)->Unit(benchmark::kMillisecond);

void BM_RelayOutOneBarAfterEdit(benchmark::State& state) {
    const auto doc = DenseSong(MaxTracks, MaxSpaces);
    TTabLayout layout;
    layout.SetMetrics(BenchMetrics());
    layout.SetDocument(doc.get());
    layout.RecomputeTotalWidth();
    const int space = MaxSpaces / 2;
    int fret = 0;
    for (auto _ : state) {
        doc->Track(7).Space(space).Notes[3] = static_cast<uint8_t>(NoteFretBase + (fret++ % 2 ? 12 : 3));
        layout.InvalidateSpace(7, space);
        benchmark::DoNotOptimize(layout.EnsureLaidOut(doc->BarOfSpace(7, space)).Width);
    }
}
BENCHMARK(BM_RelayOutOneBarAfterEdit)->Unit(benchmark::kMicrosecond);

void BM_PaintFullHdWindow(benchmark::State& state) {
    const auto doc = DenseSong(6, 4096);
    TTabView view;
    view.SetColors(StandardScheme);
    view.SetDocument(doc.get());
    view.resize(1920, 1080);
    view.ScrollTo(3000);
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        view.Paint(p, image.rect());
    }
}
BENCHMARK(BM_PaintFullHdWindow)->Unit(benchmark::kMillisecond);

}  // namespace
