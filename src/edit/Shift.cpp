#include "edit/Shift.h"

#include <vector>

#include "base/Errors.h"
#include "document/UndoRecords.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr const char* MsgRightInRegion = "Can't shift right inside an alternate-time region.";
constexpr const char* MsgRightNotAligned =
    "Can't shift notes right. There is no space on track %d that lines up with the current space.";
constexpr const char* MsgRightLastNotEmpty =
    "Can't shift notes right. The last space on track %d is not empty.";
constexpr const char* MsgRightTooManySpaces = "Can't shift bar lines because it would cause the total number "
                                              "of spaces to exceed %d, the maximum Fretlo can handle.";
constexpr const char* MsgLeftInRegion = "Can't shift left inside an alternate-time region.";
constexpr const char* MsgLeftNotAligned =
    "Can't shift notes left. There is no space on track %d that lines up with the current space.";
constexpr const char* MsgLeftRegionMember =
    "Can't shift notes left. The space on track %d is a member of an alternate-time region.";
constexpr const char* MsgLeftOneSpace =
    "Can't shift bar lines left. There is only one space remaining on track %d.";
constexpr const char* MsgLeftLastNotEmpty =
    "Can't shift bar lines left. The last space on track %d is not empty.";

// The cursor, its time and the tracks whose notes move.
struct TShiftContext {
    TEditCursor Cursor;
    int32_t Time = 0;
    int FirstTrack = 0;
    int LastTrack = -1;  // empty when the notes stay
};

TShiftContext BeginShift(TEditDocument& doc, TShiftMode mode) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    host.CollapseSelection();
    TShiftContext c;
    c.Cursor = host.Cursor();
    c.Time = doc.Track(c.Cursor.Track).SpaceTime(c.Cursor.Space);
    if (mode.Notes) {
        c.FirstTrack = mode.AllTracks ? 0 : c.Cursor.Track;
        c.LastTrack = mode.AllTracks ? doc.TrackCount() - 1 : c.Cursor.Track;
    }
    return c;
}

// The space of each moving track that starts at the cursor time; -1 names the first
// track without one.
struct TAlignedSpaces {
    std::vector<int> Index;
    int MissingTrack = -1;
};

TAlignedSpaces FindAlignedSpaces(const TEditDocument& doc, const TShiftContext& c) {
    TAlignedSpaces out;
    out.Index.assign(static_cast<size_t>(doc.TrackCount()), -1);
    for (int tr = c.FirstTrack; tr <= c.LastTrack; ++tr) {
        out.Index[static_cast<size_t>(tr)] = doc.SpaceAtTime(tr, c.Time, satExact);
        if (out.Index[static_cast<size_t>(tr)] < 0) {
            out.MissingTrack = tr;
            break;
        }
    }
    return out;
}

const TSpace& LastSpace(const TEditDocument& doc, int track) {
    const TTrackData& t = doc.Track(track);
    return t.Space(t.SpaceCount() - 1);
}

// Every track grows (+1) or shrinks (-1) by one space at its end, recorded first.
void ResizeAllTracks(TEditDocument& doc, TUndoStep& step, int delta) {
    for (int tr = 0; tr < doc.TrackCount(); ++tr) {
        TTrackData& t = doc.Track(tr);
        const int count = t.SpaceCount();
        // Dropping a last space that is empty but for its ratio must still be undoable.
        if (delta < 0 && !IsEmptySpace(t.Space(count - 1), true)) step.SaveSpaces(tr, count - 1, 1);
        SetSpaceCountUndoable(doc, step, tr, count + delta);
    }
}

void ShiftBarsUndoable(TEditDocument& doc, TUndoStep& step, int bar, int32_t delta) {
    step.Add(EncodeShiftBars({bar, delta}));
    TPlaybackGuard guard(PlaybackLock());
    doc.ShiftBars(bar, delta);
}

// Bar lines after the cursor move a sixteenth earlier; in a bar's last sixteenth the
// bar line at its end goes instead, and no bar gets shorter than a sixteenth.
void MoveBarLinesLeft(TEditDocument& doc, TUndoStep& step, int32_t time) {
    int b = doc.BarAtTime(time);
    const TBar& bar = doc.Bar(b);
    if (time >= bar.End - UnitsPerSpace) {
        TPlaybackGuard guard(PlaybackLock());
        if (b < doc.BarCount() - 1) {
            doc.DeleteBarUndoable(b + 1, true);
        } else if (bar.End - bar.Start <= UnitsPerSpace && b > 0) {
            doc.DeleteBarUndoable(b, true);
            --b;
        }
    }
    if (doc.Bar(b).End - doc.Bar(b).Start > UnitsPerSpace) ShiftBarsUndoable(doc, step, b, -UnitsPerSpace);
}

}  // namespace

void ShiftRight(TEditDocument& doc, TShiftMode mode) {
    TEditHost& host = doc.Host();
    const TShiftContext c = BeginShift(doc, mode);
    if (c.Time % UnitsPerSpace) return host.Refuse(MsgRightInRegion);
    const TAlignedSpaces at = FindAlignedSpaces(doc, c);
    if (at.MissingTrack >= 0) return host.Refuse(Format(MsgRightNotAligned, at.MissingTrack + 1));
    if (!mode.BarLines) {
        for (int tr = c.FirstTrack; tr <= c.LastTrack; ++tr)
            if (!IsEmptySpace(LastSpace(doc, tr), false))
                return host.Refuse(Format(MsgRightLastNotEmpty, tr + 1));
    } else {
        for (int tr = 0; tr < doc.TrackCount(); ++tr)
            if (doc.Track(tr).SpaceCount() >= MaxSpaces)
                return host.Refuse(Format(MsgRightTooManySpaces, MaxSpaces));
    }

    host.InvalidateBarsFrom(doc.BarOfSpace(c.Cursor.Track, c.Cursor.Space));
    TUndoStep step(doc, ukShiftRight);
    if (mode.BarLines) {
        ResizeAllTracks(doc, step, +1);
        ShiftBarsUndoable(doc, step, doc.BarAtTime(c.Time), UnitsPerSpace);
    }
    for (int tr = c.FirstTrack; tr <= c.LastTrack; ++tr) {
        TTrackData& t = doc.Track(tr);
        const int index = at.Index[static_cast<size_t>(tr)];
        step.SaveSpaces(tr, t.SpaceCount() - 1, 1);
        step.Add(EncodeInsertSpaces({tr, index, 1}));
        TPlaybackGuard guard(PlaybackLock());
        t.InsertSpaces(index, 1);
    }
    step.End();
    host.UpdateStatusBar();
}

void ShiftLeft(TEditDocument& doc, TShiftMode mode) {
    TEditHost& host = doc.Host();
    const TShiftContext c = BeginShift(doc, mode);
    if (c.Time % UnitsPerSpace) return host.Refuse(MsgLeftInRegion);
    const TAlignedSpaces at = FindAlignedSpaces(doc, c);
    for (int tr = c.FirstTrack; tr <= c.LastTrack; ++tr) {
        if (tr == at.MissingTrack) return host.Refuse(Format(MsgLeftNotAligned, tr + 1));
        const TSpace& s = doc.Track(tr).Space(at.Index[static_cast<size_t>(tr)]);
        if (!HasPlainRatio(s)) return host.Refuse(Format(MsgLeftRegionMember, tr + 1));
    }
    if (mode.BarLines) {
        for (int tr = 0; tr < doc.TrackCount(); ++tr) {
            if (doc.Track(tr).SpaceCount() < 2) return host.Refuse(Format(MsgLeftOneSpace, tr + 1));
            if (!mode.Notes && !IsEmptySpace(LastSpace(doc, tr), false))
                return host.Refuse(Format(MsgLeftLastNotEmpty, tr + 1));
        }
        if (c.Cursor.Space == doc.Track(c.Cursor.Track).SpaceCount() - 1)
            host.KeepCursorOnSpace(c.Cursor.Space - 1);
    }

    host.InvalidateBarsFrom(doc.BarOfSpace(c.Cursor.Track, c.Cursor.Space));
    TUndoStep step(doc, ukShiftLeft);
    for (int tr = c.FirstTrack; tr <= c.LastTrack; ++tr) {
        const int index = at.Index[static_cast<size_t>(tr)];
        step.SaveSpaces(tr, index, 1);
        step.Add(EncodeRemoveSpaces({tr, index, 1}));
        TPlaybackGuard guard(PlaybackLock());
        doc.Track(tr).DeleteSpaces(index, 1);
    }
    if (mode.BarLines) {
        ResizeAllTracks(doc, step, -1);
        MoveBarLinesLeft(doc, step, c.Time);
    }
    step.End();
    host.UpdateStatusBar();
}

}  // namespace fretlo
