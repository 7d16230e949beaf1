#include "edit/ClipboardOps.h"

#include <algorithm>

#include "base/Errors.h"
#include "document/SpaceRecord.h"
#include "document/SpaceTiming.h"
#include "document/TrackProps.h"
#include "document/UndoRecords.h"
#include "edit/Clipboard.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr const char* MsgNoSpaceOnTrack =
    "In order to cut/copy multiple tracks, the selection must begin and end at the same place on all tracks.";
constexpr const char* MsgCopyStartsInRegion =
    "When cutting/copying, the selection cannot begin in the middle of an alternate-time region.";
constexpr const char* MsgCopyPartOfRegion = "Cannot cut/copy a portion of an alternate-time region.";
constexpr const char* MsgCopyStartsDiffer =
    "In order to cut/copy multiple tracks, the selection must begin at the same place on all tracks.";
constexpr const char* MsgCopyLengthsDiffer =
    "In order to cut/copy multiple tracks, the length of the selection must be the same across all tracks.";
constexpr const char* MsgUnrecognized = "Unrecognized clipboard format. It may not be possible to "
                                        "cut/copy/paste between two different versions of Fretlo.";
constexpr const char* MsgPasteInRegion = "Cannot paste in the middle of an alternate-time region.";
constexpr const char* MsgPasteStartNotAligned =
    "Cannot paste here because there isn't a space on track %d that lines up with the current space.";
constexpr const char* MsgPasteNoRoom = "Cannot paste here because there isn't enough room left.\n\n"
                                       "Try adding more bars using the Song | Add Bars command.";
constexpr const char* MsgPasteEndNotAligned = "Cannot paste here because there isn't a space on track %d "
                                              "that lines up with what would be the end of pasted section.";
constexpr const char* MsgPasteTooManySpaces =
    "Cannot paste here because it would cause the total number of "
    "spaces on track %d to exceed %d, the maximum Fretlo can handle.";
constexpr const char* MsgPasteOffGrid = "Cannot paste here because the alternate-time regions of the pasted "
                                        "section would run into those on track %d and move every later note.";

// Shows why a command is refused; the command then ends with nothing.
std::nullopt_t Refused(TEditHost& host, const std::string& text) {
    host.Refuse(text);
    return std::nullopt;
}

bool OnBoundary(int32_t time) { return time % UnitsPerSpace == 0; }

TClipTrack CopyTrackRun(const TCustomTabDoc& doc, int track, const TSpaceRun& run) {
    const TTrackData& t = doc.Track(track);
    TClipTrack out;
    out.Spaces.resize(static_cast<size_t>(run.Count()) * SpaceRecordSize);
    for (int i = 0; i < run.Count(); ++i)
        WriteSpaceRecord(t.Space(run.First + i),
                         out.Spaces.data() + static_cast<size_t>(i) * SpaceRecordSize);
    const size_t propsSize = doc.CalcStreamedPropsSize(track, run.First, run.Count());
    out.Props.resize(propsSize);
    doc.WriteStreamedProps(track, run.First, propsSize, out.Props.data(), run.Count());
    return out;
}

// The block of the selection, or nothing after a message.
std::optional<TClipBlock> BuildBlock(const TEditDocument& doc, const TSelection& sel, int cursorTrack) {
    TEditHost& host = doc.Host();
    const TTrackRange tracks = SelectedTracks(doc, sel, cursorTrack);
    TClipBlock block;
    int32_t start0 = 0;
    for (int tr = tracks.First; tr <= tracks.Last; ++tr) {
        const auto run = SpacesInRange(doc, tr, sel.Low(), sel.High());
        if (!run) return Refused(host, MsgNoSpaceOnTrack);
        TTrackData& t = doc.Track(tr);
        const int32_t start = t.SpaceTime(run->First);
        const int32_t length = t.SpaceEndTime(run->Last) - start;
        if (tr == tracks.First) {
            if (!OnBoundary(start)) return Refused(host, MsgCopyStartsInRegion);
            if (!OnBoundary(length)) return Refused(host, MsgCopyPartOfRegion);
            start0 = start;
            block.Length = length;
        } else if (start != start0) {
            return Refused(host, MsgCopyStartsDiffer);
        } else if (length != block.Length) {
            return Refused(host, MsgCopyLengthsDiffer);
        }
        block.Tracks.push_back(CopyTrackRun(doc, tr, *run));
    }
    return block;
}

// Step 2 of clearing: the whole sixteenths inside the cleared run become ordinary
// spaces again, and spaces that a tuplet region had in excess go.
void FlattenRegions(TEditDocument& doc, TUndoStep& step, int track, const TSpaceRun& run) {
    TTrackData& t = doc.Track(track);
    int a = run.First;
    while (a <= run.Last && !OnBoundary(t.SpaceTime(a))) ++a;
    int b = run.Last;
    while (b >= a && !OnBoundary(t.SpaceEndTime(b))) --b;
    if (a > run.Last || b < a) return;
    const int n = b - a + 1;
    const int u = (t.SpaceEndTime(b) - t.SpaceTime(a)) / UnitsPerSpace;
    const bool plain = std::all_of(t.Spaces() + a, t.Spaces() + b + 1, HasPlainRatio);
    if (u == n && plain) return;
    TEditHost& host = doc.Host();
    host.InvalidateBarsFrom(doc.BarOfSpace(track, a));
    {
        TPlaybackGuard guard(PlaybackLock());
        t.SetRatio(a, n, 1, 1);
    }
    if (u == n) return;
    const int extra = n - u;
    const int oldCount = t.SpaceCount();
    const TEditCursor cursor = host.Cursor();
    if (cursor.Track == track) {
        const int space = std::min({cursor.Space, a + u, oldCount - extra - 1});
        if (space != cursor.Space) host.KeepCursorOnSpace(space);
    }
    step.Add(EncodeRemoveSpaces({track, a + u, extra}));
    step.Add(EncodeSpaceCount({track, oldCount}));
    {
        TPlaybackGuard guard(PlaybackLock());
        t.DeleteSpaces(a + u, extra);
        t.SetSpaceCount(oldCount - extra);
    }
    host.SpaceCountChanged(track);
}

void ClearTrackRun(TEditDocument& doc, TUndoStep& step, int track, const TSpaceRun& run) {
    TTrackData& t = doc.Track(track);
    doc.Host().InvalidateSpaces(track, run.First, run.Last);
    step.SaveSpaces(track, run.First, run.Count());
    {
        TPlaybackGuard guard(PlaybackLock());
        for (int i = run.First; i <= run.Last; ++i) ClearSpace(t.Space(i));
    }
    FlattenRegions(doc, step, track, run);
}

// Where one block track goes: spaces [First, First + Old) are replaced by New spaces.
struct TPasteTarget {
    int Track = 0;
    int Clip = 0;
    int First = 0;
    int Old = 0;
    int New = 0;
};

// True when the pasted spaces start at t0 and the first later space still at t1. A tuplet
// group left unfinished at either end of the block would otherwise run on into a group of
// the same ratio beside it, and every later space would start at another time.
bool KeepsItsPlace(TTrackData& t, const TClipTrack& clip, const TPasteTarget& p, int32_t t0, int32_t t1) {
    std::vector<TSpace> spaces(t.Spaces(), t.Spaces() + p.First);
    for (int i = 0; i < p.New; ++i) {
        TSpace s = EmptySpace;
        ReadSpaceRecord(clip.Spaces.data() + static_cast<size_t>(i) * SpaceRecordSize, s);
        s.Props = nullptr;
        spaces.push_back(s);
    }
    const bool later = p.First + p.Old < t.SpaceCount();
    if (later) spaces.push_back(t.Space(p.First + p.Old));
    std::vector<int32_t> starts(spaces.size());
    ComputeSpaceStarts(spaces.data(), static_cast<int>(spaces.size()), UnitsPerSpace, starts.data());
    return starts[static_cast<size_t>(p.First)] == t0 && (!later || starts.back() == t1);
}

// The targets of a paste at t0, or nothing after a message.
std::optional<std::vector<TPasteTarget>> PlanPaste(const TEditDocument& doc, const TClipBlock& block,
                                                   int cursorTrack, int32_t t0) {
    TEditHost& host = doc.Host();
    const int n = static_cast<int>(block.Tracks.size());
    std::vector<TPasteTarget> targets;
    if (n == 1)
        targets.push_back({cursorTrack, 0});
    else
        for (int tr = 0; tr < std::min(n, doc.TrackCount()); ++tr) targets.push_back({tr, tr});
    const int32_t t1 = t0 + block.Length;
    for (TPasteTarget& target : targets) {
        const int tr = target.Track;
        TTrackData& t = doc.Track(tr);
        target.First = doc.SpaceAtTime(tr, t0, satExact);
        if (target.First < 0) return Refused(host, Format(MsgPasteStartNotAligned, tr + 1));
        int b = doc.SpaceAtTime(tr, t1, satExact);
        if (b < 0) {
            if (t.TotalTime() < t1) return Refused(host, MsgPasteNoRoom);
            if (t.TotalTime() > t1) return Refused(host, Format(MsgPasteEndNotAligned, tr + 1));
            b = t.SpaceCount();
        }
        target.Old = b - target.First;
        target.New = block.Tracks[static_cast<size_t>(target.Clip)].SpaceCount();
        if (target.New > target.Old && t.SpaceCount() + target.New - target.Old > MaxSpaces)
            return Refused(host, Format(MsgPasteTooManySpaces, tr + 1, MaxSpaces));
        if (!KeepsItsPlace(t, block.Tracks[static_cast<size_t>(target.Clip)], target, t0, t1))
            return Refused(host, Format(MsgPasteOffGrid, tr + 1));
    }
    return targets;
}

// Makes room: [First, First + Old) emptied and resized to New spaces, later spaces kept.
void ResizeStretch(TEditDocument& doc, TUndoStep& step, const TPasteTarget& p) {
    TTrackData& t = doc.Track(p.Track);
    step.SaveSpaces(p.Track, p.First, p.Old);
    const int count = t.SpaceCount();
    if (p.New > p.Old) {
        step.Add(EncodeSpaceCount({p.Track, count}));
        step.Add(EncodeInsertSpaces({p.Track, p.First + p.Old, p.New - p.Old}));
    } else if (p.New < p.Old) {
        step.Add(EncodeRemoveSpaces({p.Track, p.First + p.New, p.Old - p.New}));
        step.Add(EncodeSpaceCount({p.Track, count}));
    }
    TPlaybackGuard guard(PlaybackLock());
    for (int i = p.First; i < p.First + p.Old; ++i) ClearSpace(t.Space(i));
    if (p.New > p.Old) {
        t.SetSpaceCount(count + p.New - p.Old);
        t.InsertSpaces(p.First + p.Old, p.New - p.Old);
    } else if (p.New < p.Old) {
        t.DeleteSpaces(p.First + p.New, p.Old - p.New);
        t.SetSpaceCount(count - (p.Old - p.New));
    }
}

void PasteTrack(TEditDocument& doc, TUndoStep& step, const TClipTrack& clip, const TPasteTarget& p) {
    TEditHost& host = doc.Host();
    TTrackData& t = doc.Track(p.Track);
    host.InvalidateSpaces(p.Track, p.First, p.First + p.Old - 1);
    ResizeStretch(doc, step, p);
    {
        TPlaybackGuard guard(PlaybackLock());
        for (int i = 0; i < p.New; ++i) {
            // Only the strings and text lines the target track has take the pasted bytes.
            TSpace from = EmptySpace;
            ReadSpaceRecord(clip.Spaces.data() + static_cast<size_t>(i) * SpaceRecordSize, from);
            TSpace& s = t.Space(p.First + i);
            for (int str = 0; str < t.StringCount; ++str) {
                s.Notes[str] = from.Notes[str];
                s.Effects[str] = from.Effects[str];
            }
            if (t.TopTextLine) s.TopText = from.TopText;
            if (t.BottomTextLine) s.BottomText = from.BottomText;
            s.RatioNum = from.RatioNum;
            s.RatioDen = from.RatioDen;
        }
        doc.RestoreStreamedProps(p.Track, p.First, clip.Props.size(), clip.Props.data(), p.New);
        t.InvalidateTimes();
    }
    if (p.New != p.Old) {
        host.InvalidateBarsFrom(doc.BarOfSpace(p.Track, p.First));
        host.SpaceCountChanged(p.Track);
    } else {
        host.InvalidateSpaces(p.Track, p.First, p.First + p.New - 1);
    }
}

}  // namespace

bool CopySelection(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    const TSelection sel = host.Selection();
    if (!sel.Active) return false;
    const auto block = BuildBlock(doc, sel, host.Cursor().Track);
    return block && host.PutClipboardBlock(EncodeClipBlock(*block));
}

void ClearSelection(TEditDocument& doc, TUndoKind kind) {
    TEditHost& host = doc.Host();
    const TSelection sel = host.Selection();
    if (!sel.Active) return;
    host.StopPlaying();
    const TTrackRange tracks = SelectedTracks(doc, sel, host.Cursor().Track);
    TUndoStep step(doc, kind);
    for (int tr = tracks.First; tr <= tracks.Last; ++tr)
        if (const auto run = SpacesInRange(doc, tr, sel.Low(), sel.High()))
            ClearTrackRun(doc, step, tr, *run);
    step.End();
    host.UpdateStatusBar();
}

void CutSelection(TEditDocument& doc) {
    if (CopySelection(doc)) ClearSelection(doc, ukCut);
}

void Paste(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    host.CollapseSelection();
    const auto bytes = host.ClipboardBlock();
    if (!bytes) return;
    const auto block = DecodeClipBlock(*bytes);
    if (!block) return host.Refuse(MsgUnrecognized);
    const TEditCursor cursor = host.Cursor();
    const int32_t t0 = doc.Track(cursor.Track).SpaceTime(cursor.Space);
    if (!OnBoundary(t0)) return host.Refuse(MsgPasteInRegion);
    const auto targets = PlanPaste(doc, *block, cursor.Track, t0);
    if (!targets) return;
    TUndoStep step(doc, ukPaste);
    for (const TPasteTarget& p : *targets)
        PasteTrack(doc, step, block->Tracks[static_cast<size_t>(p.Clip)], p);
    step.End();
    host.UpdateStatusBar();
}

}  // namespace fretlo
