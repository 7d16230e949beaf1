#include "edit/UndoReplay.h"

#include <algorithm>

#include "base/Errors.h"
#include "document/TrackProps.h"
#include "document/UndoRecords.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr const char* TooManyChanges = "Sorry, cannot undo any further. Too many changes have been made.";
constexpr const char* UnclosedStep = "Sorry, there was an error and the previous change cannot be undone.";

int BarOfSpaceClamped(const TCustomTabDoc& doc, int track, int space) {
    const int last = doc.Track(track).SpaceCount() - 1;
    return doc.BarOfSpace(track, std::clamp(space, 0, last));
}

void CheckTrack(const TCustomTabDoc& doc, int track) {
    Check(track >= 0 && track < doc.TrackCount(), "undo record names a missing track");
}

void RestoreSpaces(TEditDocument& doc, const TUndoRecord& r) {
    const TSpacesRecord rec = DecodeSpaces(r);
    const int track = rec.Track, first = rec.First, count = rec.Count;
    CheckTrack(doc, track);
    TTrackData& t = doc.Track(track);
    Check(count >= 1 && first >= 0 && first + count <= t.SpaceCount(), "undo record spaces out of range");
    TEditHost& host = doc.Host();
    host.InvalidateSpaces(track, first, first + count - 1);
    const int barBefore = doc.BarOfSpace(track, first);
    bool ratioChanged = false;
    {
        TPlaybackGuard guard(PlaybackLock());
        for (int i = 0; i < count; ++i) {
            TSpace& s = t.Space(first + i);
            const uint8_t num = s.RatioNum, den = s.RatioDen;
            ClearProps(s);
            rec.ReadSpace(i, s);
            ratioChanged |= s.RatioNum != num || s.RatioDen != den;
        }
        doc.RestoreStreamedProps(track, first, rec.Props.size(), rec.Props.data(), count);
        t.InvalidateTimes();
    }
    if (ratioChanged) host.InvalidateBarsFrom(std::min(barBefore, doc.BarOfSpace(track, first)));
}

// Types 1 and 2: spaces moved out of or into the track's middle.
void MoveSpacesBack(TEditDocument& doc, const TUndoRecord& r) {
    const bool removed = r.RecType == utRemoveSpaces;
    const TMovedSpacesRecord moved = removed ? DecodeRemoveSpaces(r) : DecodeInsertSpaces(r);
    CheckTrack(doc, moved.Track);
    TTrackData& t = doc.Track(moved.Track);
    doc.Host().InvalidateBarsFrom(BarOfSpaceClamped(doc, moved.Track, moved.Index));
    TPlaybackGuard guard(PlaybackLock());
    if (removed)
        t.InsertSpaces(moved.Index, moved.Count);
    else
        t.DeleteSpaces(moved.Index, moved.Count);
}

void RestoreSpaceCount(TEditDocument& doc, const TUndoRecord& r) {
    const auto [track, old] = DecodeSpaceCount(r);
    CheckTrack(doc, track);
    TTrackData& t = doc.Track(track);
    const int firstTouched = std::min(old, t.SpaceCount()) - 1;
    TEditHost& host = doc.Host();
    host.InvalidateBarsFrom(BarOfSpaceClamped(doc, track, firstTouched));
    {
        TPlaybackGuard guard(PlaybackLock());
        t.SetSpaceCount(old);
    }
    host.SpaceCountChanged(track);
}

void ShiftBarsBack(TEditDocument& doc, const TUndoRecord& r) {
    const TShiftBarsRecord shift = DecodeShiftBars(r);
    {
        TPlaybackGuard guard(PlaybackLock());
        doc.ShiftBars(shift.Bar, -shift.Delta);
    }
    doc.Host().InvalidateBarsFrom(shift.Bar);
}

// Type 5: the bar comes back at its start and length, with the flags it had; a merged
// predecessor gets its own repeat close back.
void RecreateBar(TEditDocument& doc, const TUndoRecord& r) {
    const TDeletedBarRecord gone = DecodeDeletedBar(r);
    int index;
    Check(!doc.FindBar(gone.Start, index), "deleted bar is back already");
    TPlaybackGuard guard(PlaybackLock());
    const TBar before = index > 0 ? doc.Bar(index - 1) : TBar{};
    index = doc.CreateBar(gone.Start, gone.End - gone.Start, false);
    TBar& bar = doc.Bar(index);
    bar.RepeatEnd = gone.RepeatEnd;
    bar.RepeatCount = gone.RepeatCount;
    bar.StaffBreak = gone.StaffBreak;
    bar.RepeatStart = gone.RepeatStart;
    if (index == 0) return;
    TBar& prev = doc.Bar(index - 1);
    prev.RepeatEnd = before.RepeatEnd;
    prev.RepeatCount = before.RepeatCount;
    if (gone.Merge) {
        std::swap(prev.RepeatEnd, bar.RepeatEnd);
        std::swap(prev.RepeatCount, bar.RepeatCount);
    }
}

void RemoveCreatedBar(TEditDocument& doc, const TUndoRecord& r) {
    const TCreatedBarRecord created = DecodeCreatedBar(r);
    int index;
    Check(doc.FindBar(created.Start, index), "created bar is gone already");
    TPlaybackGuard guard(PlaybackLock());
    doc.DeleteBar(index, created.Split);
}

void RestoreBarFlags(TEditDocument& doc, const TUndoRecord& r) {
    const TBarFlagsRecord flags = DecodeBarFlags(r);
    const int index = flags.Bar;
    Check(index >= 0 && index < doc.BarCount(), "undo record names a missing bar");
    TBar& bar = doc.Bar(index);
    const bool staffBreakChanged = bar.StaffBreak != flags.StaffBreak;
    {
        TPlaybackGuard guard(PlaybackLock());
        bar.StaffBreak = flags.StaffBreak;
        bar.RepeatStart = flags.RepeatStart;
        bar.RepeatEnd = flags.RepeatEnd;
        bar.RepeatCount = flags.RepeatCount;
    }
    TEditHost& host = doc.Host();
    host.InvalidateBar(index);
    if (staffBreakChanged && index > 0) host.InvalidateBar(index - 1);
}

// True when the newest step still begins somewhere in the journal.
bool StepStartKept(const TUndoJournal& journal) {
    for (size_t i = journal.RecordCount(); i-- > 0;)
        if (journal.Record(i).RecFlags & RecFirstOfGroup) return true;
    return false;
}

// A step that grew the cursor track leaves the cursor on a space that undo removes:
// it moves to the last space that stays first.
void KeepCursorOnTrack(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    const TEditCursor cursor = host.Cursor();
    const TUndoJournal& journal = doc.Journal();
    int lowest = cursor.Space + 1;
    for (size_t i = journal.RecordCount(); i-- > 0;) {
        const TUndoRecord& r = journal.Record(i);
        if (r.RecType == utSpaceCount) {
            const TSpaceCountRecord count = DecodeSpaceCount(r);
            if (count.Track == cursor.Track) lowest = std::min(lowest, count.OldCount);
        }
        if (r.RecFlags & RecFirstOfGroup) break;
    }
    if (lowest <= cursor.Space)
        host.SetCursorSpace(lowest - 1, csNoBarScroll | csNoHScroll | csNoVScroll | csNoExtend);
}

void RestoreCursor(TEditDocument& doc, const TEditCursor& to) {
    TEditHost& host = doc.Host();
    CheckTrack(doc, to.Track);
    const bool trackChanged = host.Cursor().Track != to.Track;
    if (trackChanged) host.SetCursorTrack(to.Track);
    host.SetCursorString(to.String);
    host.SetCursorSpace(to.Space, trackChanged ? csTrackChanged : 0);
}

}  // namespace

TUndoCaption UndoCaption(const TUndoJournal& journal) {
    if (!journal.Empty()) return {std::string("&Undo ") + UndoKindName(journal.Newest().RecGroupKind), true};
    if (journal.Truncated) return {std::string("&Undo ") + UndoKindName(journal.TruncatedKind), true};
    return {"Can't &Undo", false};
}

void ReplayUndoRecord(TEditDocument& doc, const TUndoRecord& record) {
    switch (record.RecType) {
    case utSpaces: RestoreSpaces(doc, record); break;
    case utRemoveSpaces:
    case utInsertSpaces: MoveSpacesBack(doc, record); break;
    case utSpaceCount: RestoreSpaceCount(doc, record); break;
    case utShiftBars: ShiftBarsBack(doc, record); break;
    case utDeletedBar: RecreateBar(doc, record); break;
    case utCreatedBar: RemoveCreatedBar(doc, record); break;
    case utBarFlags: RestoreBarFlags(doc, record); break;
    default: Check(false, "undo record of an unknown type");
    }
}

void Undo(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    TUndoJournal& journal = doc.Journal();
    Check(!journal.GroupOpen(), "undo while a step is open");
    if (journal.Empty()) {
        if (journal.Truncated) host.Refuse(TooManyChanges);
        return;
    }
    if (!(journal.Newest().RecFlags & RecLastOfGroup)) return host.Refuse(UnclosedStep);
    if (!StepStartKept(journal)) return host.Refuse(TooManyChanges);

    host.CollapseSelection();
    KeepCursorOnTrack(doc);
    TEditCursor cursor;
    for (;;) {
        const TUndoRecord record = journal.TakeNewest();
        cursor = {record.ViewTrack, record.ViewSpace, record.ViewString};
        ReplayUndoRecord(doc, record);
        if ((record.RecFlags & RecFirstOfGroup) || journal.Empty()) break;
    }
    if (journal.Empty() && journal.CleanAtBase) doc.Modified = false;
    doc.RefreshUndoState();
    RestoreCursor(doc, cursor);
    host.UpdateStatusBar();
}

}  // namespace fretlo
