#include "edit/EditDocument.h"

#include "base/ByteOrder.h"
#include "base/Errors.h"

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
    return r.RecFlags == (RecFirstOfGroup | RecLastOfGroup) && r.RecGroupKind == ukChangesToSpace &&
           r.RecType == utSpaces && r.RecArg1 == track && r.RecArg2 == space && r.RecArg3 == 1;
}

}  // namespace

void TEditDocument::RecordCursorSpace() {
    const TEditCursor cursor = Host().Cursor();
    if (IsSingleSpaceStep(Journal(), cursor.Track, cursor.Space)) return;
    TUndoStep step(*this, ukChangesToSpace);
    SaveSpaces(cursor.Track, cursor.Space, 1);
    step.End();
}

void TEditDocument::RecordBarFlags(int bar) {
    const TBar& b = Bar(bar);
    std::vector<uint8_t> flags(BarFlagsRecordSize);
    flags[0] = b.StaffBreak;
    flags[1] = b.RepeatStart;
    flags[2] = b.RepeatEnd;
    PutU32(&flags[3], static_cast<uint32_t>(b.RepeatCount));
    TUndoStep step(*this, ukBarLineChange);
    AddUndoRecord(utBarFlags, bar, 0, 0, std::move(flags));
    step.End();
}

}  // namespace fretlo
