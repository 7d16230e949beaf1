#include "edit/BarEdit.h"

#include "base/WholeNumber.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr const char* MsgBarLineOffBoundary = "Bar lines may only be created on 16th-note boundaries.";
constexpr const char* MsgRepeatCountRange = "Number of times to repeat must be between 1 and 255.";

int CursorBar(const TEditDocument& doc) {
    const TEditCursor c = doc.Host().Cursor();
    return doc.BarOfSpace(c.Track, c.Space);
}

// Records the bar's flags, changes them under the lock and redraws the bar (and the one
// before it, whose row end moves with a staff break).
template <typename Change> void ChangeBarFlags(TEditDocument& doc, int bar, Change change) {
    doc.RecordBarFlags(bar);
    const bool staffBreak = doc.Bar(bar).StaffBreak;
    {
        TPlaybackGuard guard(PlaybackLock());
        change(doc.Bar(bar));
    }
    TEditHost& host = doc.Host();
    host.InvalidateBar(bar);
    if (bar > 0 && staffBreak != static_cast<bool>(doc.Bar(bar).StaffBreak)) host.InvalidateBar(bar - 1);
    host.UpdateStatusBar();
}

// A whole number from 1 to 255, blanks around it allowed; 0 otherwise.
int ParseRepeatCount(const std::string& text) {
    const auto value = ParseWholeNumber(text);
    return value && *value >= 1 && *value <= 255 ? static_cast<int>(*value) : 0;
}

}  // namespace

void ToggleBarLine(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    const TEditCursor c = host.Cursor();
    const int32_t time = doc.Track(c.Track).SpaceTime(c.Space);
    if (time % UnitsPerSpace) return host.Refuse(MsgBarLineOffBoundary);
    if (time == 0) return;
    if (time >= doc.SongLength()) return host.Beep();
    int index;
    const bool exists = doc.FindBar(time, index);
    TUndoStep step(doc, ukBarLineChange);
    {
        TPlaybackGuard guard(PlaybackLock());
        if (exists)
            doc.DeleteBarUndoable(index, true);
        else
            doc.CreateBar(time, UnitsPerSpace, true);
    }
    step.End();
    host.UpdateStatusBar();
}

void ToggleRepeatOpen(TEditDocument& doc) {
    ChangeBarFlags(doc, CursorBar(doc), [](TBar& b) { b.RepeatStart = !b.RepeatStart; });
}

void ToggleStaffBreak(TEditDocument& doc) {
    const int bar = CursorBar(doc);
    if (bar == 0 && !doc.Bar(bar).StaffBreak) return;
    ChangeBarFlags(doc, bar, [](TBar& b) { b.StaffBreak = !b.StaffBreak; });
}

void EditRepeatClose(TEditDocument& doc) {
    const int bar = CursorBar(doc);
    if (doc.Bar(bar).RepeatEnd) {
        ChangeBarFlags(doc, bar, [](TBar& b) {
            b.RepeatEnd = 0;
            b.RepeatCount = 0;
        });
        return;
    }
    TEditHost& host = doc.Host();
    const auto answer = host.AskText("Create Repeat Sign", "Number of times to repeat:", "");
    if (!answer) return;
    const int count = ParseRepeatCount(*answer);
    if (count == 0) return host.Refuse(MsgRepeatCountRange);
    ChangeBarFlags(doc, bar, [count](TBar& b) {
        b.RepeatEnd = 1;
        b.RepeatCount = count;
    });
}

}  // namespace fretlo
