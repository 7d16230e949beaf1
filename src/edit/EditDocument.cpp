#include "edit/EditDocument.h"

#include "base/Errors.h"
#include "document/UndoRecords.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

TEditHost& TEditDocument::Host() const {
    Check(host_ != nullptr, "editing without an editor view");
    return *host_;
}

void TEditDocument::InitUndoRecord(TUndoRecord& record) {
    if (!host_) return;
    const TEditCursor cursor = host_->Cursor();
    record.ViewTrack = cursor.Track;
    record.ViewSpace = cursor.Space;
    record.ViewString = cursor.String;
}

namespace {

bool IsSingleSpaceStep(const TUndoJournal& journal, int track, int space) {
    if (journal.Empty() || journal.GroupOpen()) return false;
    const TUndoRecord& r = journal.Newest();
    if (r.RecFlags != (RecFirstOfGroup | RecLastOfGroup) || r.RecGroupKind != ukChangesToSpace ||
        r.RecType != utSpaces)
        return false;
    const TSpacesRecord spaces = DecodeSpaces(r);
    return spaces.Track == track && spaces.First == space && spaces.Count == 1;
}

}  // namespace

void TEditDocument::RecordCursorSpace() {
    const TEditCursor cursor = Host().Cursor();
    if (IsSingleSpaceStep(Journal(), cursor.Track, cursor.Space)) return;
    TUndoStep step(*this, ukChangesToSpace);
    step.SaveSpaces(cursor.Track, cursor.Space, 1);
    step.End();
}

void TEditDocument::RecordBarFlags(int bar) {
    const TBar& b = Bar(bar);
    TUndoStep step(*this, ukBarLineChange);
    step.Add(EncodeBarFlags({bar, b.StaffBreak, b.RepeatStart, b.RepeatEnd, b.RepeatCount}));
    step.End();
}

void SetSpaceCountUndoable(TEditDocument& doc, TUndoStep& step, int track, int count) {
    TTrackData& t = doc.Track(track);
    step.Add(EncodeSpaceCount({track, t.SpaceCount()}));
    {
        TPlaybackGuard guard(PlaybackLock());
        t.SetSpaceCount(count);
    }
    doc.Host().SpaceCountChanged(track);
}

}  // namespace fretlo
