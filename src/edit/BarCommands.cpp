#include "edit/BarCommands.h"

#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

int CursorBar(const TEditDocument& doc) {
    const TEditCursor c = doc.Host().Cursor();
    return doc.BarOfSpace(c.Track, c.Space);
}

}  // namespace

void GoToCursorBarStart(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    const TEditCursor c = host.Cursor();
    host.SetCursorSpace(doc.BarStartSpace(c.Track, c.Space, false), 0);
}

void RecreateBarLines(TEditDocument& doc, int barSpaces) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    const int bar = CursorBar(doc);
    host.InvalidateBarsFrom(bar);
    TUndoStep step(doc, ukRecreateBarLines);
    {
        TPlaybackGuard guard(PlaybackLock());
        doc.LayOutBars(true, doc.Bar(bar).Start, barSpaces, doc.SongLength());
    }
    step.End();
    host.UpdateStatusBar();
}

}  // namespace fretlo
