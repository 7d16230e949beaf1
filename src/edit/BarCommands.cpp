#include "edit/BarCommands.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "base/Errors.h"
#include "document/UndoRecords.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr const char* MsgAddBarsTooManySpaces =
    "The figures entered would cause the total number of spaces to exceed %d, the maximum Fretlo can "
    "handle. Try something smaller.";
constexpr const char* MsgNoUnusedBars = "There are no unused bars to remove.";
constexpr const char* MsgBarsNotEmpty =
    "All bars after the cursor position must be empty in order to use this command.";
constexpr const char* MsgRemoveUnusedBars =
    "This command will eliminate all of the unused bars after the cursor position. Continue?";

int CursorBar(const TEditDocument& doc) {
    const TEditCursor c = doc.Host().Cursor();
    return doc.BarOfSpace(c.Track, c.Space);
}

// The spaces each track lacks to reach `end` (none when it is long enough already).
std::vector<int> MissingSpaces(const TCustomTabDoc& doc, int64_t end) {
    std::vector<int> extra;
    for (int tr = 0; tr < doc.TrackCount(); ++tr)
        extra.push_back(
            static_cast<int>(std::max<int64_t>(0, (end - doc.Track(tr).TotalTime()) / UnitsPerSpace)));
    return extra;
}

int64_t EndAfterAdding(const TCustomTabDoc& doc, int bars, int barSpaces) {
    return int64_t(bars) * barSpaces * UnitsPerSpace + doc.SongLength();
}

// The first space of every track that would go: at the cut, or past the track's end.
std::vector<int> SpacesFrom(const TEditDocument& doc, int32_t cut) {
    std::vector<int> first;
    for (int tr = 0; tr < doc.TrackCount(); ++tr) first.push_back(doc.SpaceAtTime(tr, cut, satNoClamp));
    return first;
}

bool OnlyEmptySpacesFrom(const TEditDocument& doc, int track, int first, int32_t cut) {
    TTrackData& t = doc.Track(track);
    if (t.SpaceCount() <= first) return true;
    return t.SpaceTime(first) == cut && doc.LastUsedSpace(track, true) < first;
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

std::optional<std::string> AddBarsRefusal(const TCustomTabDoc& doc, int bars, int barSpaces) {
    const std::vector<int> extra = MissingSpaces(doc, EndAfterAdding(doc, bars, barSpaces));
    for (int tr = 0; tr < doc.TrackCount(); ++tr)
        if (int64_t(doc.Track(tr).SpaceCount()) + extra[static_cast<size_t>(tr)] > MaxSpaces)
            return Format(MsgAddBarsTooManySpaces, MaxSpaces);
    return std::nullopt;
}

void AddBars(TEditDocument& doc, int bars, int barSpaces) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    host.CollapseSelection();
    const int32_t oldEnd = doc.SongLength();
    const int64_t newEnd = EndAfterAdding(doc, bars, barSpaces);
    Check(newEnd <= std::numeric_limits<int32_t>::max(), "bars added past the largest song time");
    const std::vector<int> extra = MissingSpaces(doc, newEnd);
    int32_t earliestTrackEnd = oldEnd;
    for (int tr = 0; tr < doc.TrackCount(); ++tr)
        earliestTrackEnd = std::min(earliestTrackEnd, doc.Track(tr).TotalTime());

    TUndoStep step(doc, ukAddBars);
    {
        TPlaybackGuard guard(PlaybackLock());
        doc.LayOutBars(true, oldEnd, barSpaces, static_cast<int32_t>(newEnd));
    }
    for (int tr = 0; tr < doc.TrackCount(); ++tr) {
        const int more = extra[static_cast<size_t>(tr)];
        if (more > 0)
            SetSpaceCountUndoable(doc, step, tr, std::min(MaxSpaces, doc.Track(tr).SpaceCount() + more));
    }
    host.InvalidateBarsFrom(doc.BarAtTime(earliestTrackEnd));
    step.End();
    host.UpdateStatusBar();
}

void RemoveUnusedBars(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    const int bar = CursorBar(doc);
    if (bar == doc.BarCount() - 1) return host.Refuse(MsgNoUnusedBars);
    const int32_t cut = doc.Bar(bar + 1).Start;
    const std::vector<int> first = SpacesFrom(doc, cut);
    for (int tr = 0; tr < doc.TrackCount(); ++tr)
        if (!OnlyEmptySpacesFrom(doc, tr, first[static_cast<size_t>(tr)], cut))
            return host.Refuse(MsgBarsNotEmpty);
    if (host.ShowMessage(MsgRemoveUnusedBars, EditMessageCaption, TMsgIcon::Warning, TMsgButtons::YesNo) !=
        TMsgAnswer::Yes)
        return;

    host.CollapseSelection();
    host.InvalidateBarsFrom(bar);
    TUndoStep step(doc, ukRemoveUnusedBars);
    for (int tr = 0; tr < doc.TrackCount(); ++tr) {
        const int keep = first[static_cast<size_t>(tr)];
        if (doc.Track(tr).SpaceCount() > keep) SetSpaceCountUndoable(doc, step, tr, keep);
    }
    {
        TPlaybackGuard guard(PlaybackLock());
        for (int b = doc.BarCount() - 1; b > bar; --b) doc.DeleteBarUndoable(b, false);
    }
    step.End();
    host.UpdateStatusBar();
}

}  // namespace fretlo
