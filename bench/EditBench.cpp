// Editing work on the user-interface thread of a dense song, without drawing: a typed
// fret, a paste that resizes every track and a shift of notes and bar lines on all
// tracks at bar 1000, each followed by its undo where it changes the song's shape.
#include <benchmark/benchmark.h>

#include <memory>

#include "edit/ClipboardOps.h"
#include "edit/Shift.h"
#include "edit/SpaceEdit.h"
#include "edit/UndoReplay.h"

namespace fretlo {
namespace {

// A view that only keeps the cursor, the selection and the clipboard.
class TQuietHost : public TEditHost {
public:
    TEditCursor cursor;
    TSelection selection;
    std::optional<std::vector<uint8_t>> clipboard;

    TEditCursor Cursor() const override { return cursor; }
    void SetCursorSpace(int space, int) override { cursor.Space = space; }
    void SetCursorTrack(int track) override { cursor.Track = track; }
    void SetCursorString(int string) override { cursor.String = string; }
    void KeepCursorOnSpace(int space) override { cursor.Space = space; }
    TSelection Selection() const override { return selection; }
    void CollapseSelection() override { selection = {}; }
    void InvalidateSpaces(int, int, int) override {}
    void InvalidateBar(int) override {}
    void InvalidateBarsFrom(int) override {}
    void SpaceCountChanged(int) override {}
    TMsgAnswer ShowMessage(const std::string&, const std::string&, TMsgIcon, TMsgButtons) override {
        return TMsgAnswer::Ok;
    }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void Beep() override {}
    void StopPlaying() override {}
    void UpdateStatusBar() override {}
    bool PutClipboardBlock(const std::vector<uint8_t>& block) override {
        clipboard = block;
        return true;
    }
    std::optional<std::vector<uint8_t>> ClipboardBlock() override { return clipboard; }
};

constexpr int Bar1000 = 1000 * 16;

// Six tracks of 16-space bars, 30000 spaces, a note on every string of every space.
struct TDenseSong {
    TEditDocument doc;
    TQuietHost host;

    TDenseSong() {
        doc.SetEditHost(&host);
        doc.New(16);
        doc.LayOutBars(false, doc.SongLength(), 16, 30000 * UnitsPerSpace);
        doc.Track(0).SetSpaceCount(30000);
        for (int t = 1; t < 6; ++t) doc.AddTrack(std::make_unique<TTrackData>(false, 30000));
        for (int t = 0; t < 6; ++t)
            for (int i = 0; i < 30000 - 64; ++i)
                for (int s = 0; s < 6; ++s) doc.Track(t).Space(i).Notes[s] = NoteFretBase + (i + s) % 13;
        // A triplet against the eighths of track 0, to paste over plain sixteenths.
        doc.Track(1).SetRatio(Bar1000 + 32, 3, 2, 3);
        doc.Track(1).SetSpaceCount(30001);
        host.cursor = {0, Bar1000, 2};
    }
};

void BM_TypeFret(benchmark::State& state) {
    TDenseSong song;
    // Two spaces in turn, so that every fret starts a new step; the digits alternate
    // between 1 and 2, so that every one changes the space (1, 12, 1, 12, ...).
    for (int n = 0; auto _ : state) {
        song.host.cursor.Space = Bar1000 + n % 2;
        TypeFretDigit(song.doc, n / 2 % 2 + 1);
        ++n;
    }
}
BENCHMARK(BM_TypeFret);

void BM_PasteResizingEveryTrackAndUndo(benchmark::State& state) {
    TDenseSong song;
    song.host.cursor = {1, Bar1000 + 32, 0};
    song.host.selection = {true, true, song.doc.Track(1).SpaceTime(Bar1000 + 32),
                           song.doc.Track(1).SpaceTime(Bar1000 + 35)};
    CopySelection(song.doc);
    for (auto _ : state) {
        song.host.cursor = {0, Bar1000, 0};
        Paste(song.doc);
        Undo(song.doc);
    }
}
BENCHMARK(BM_PasteResizingEveryTrackAndUndo)->Unit(benchmark::kMicrosecond);

void BM_ShiftNotesAndBarLinesRightAndUndo(benchmark::State& state) {
    TDenseSong song;
    for (auto _ : state) {
        song.host.cursor = {0, Bar1000, 0};
        ShiftRight(song.doc, ShiftModeForKeys(true, true));
        Undo(song.doc);
    }
}
BENCHMARK(BM_ShiftNotesAndBarLinesRightAndUndo)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fretlo
