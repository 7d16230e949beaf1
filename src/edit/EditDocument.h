// TEditDocument: the song document as the editor changes it. It stamps the editor's
// cursor into every undo record and offers the step rules of single-space and bar-flag
// edits. The user-interface document derives from it and fills UndoChanged and
// DocumentReset.
#pragma once

#include "document/TabDoc.h"
#include "edit/EditHost.h"

namespace fretlo {

class TEditDocument : public TCustomTabDoc {
public:
    // The view whose cursor is stamped into records and which the editing operations
    // drive; it must outlive its attachment.
    void SetEditHost(TEditHost* host) { host_ = host; }
    TEditHost& Host() const;

    // A one-record step "Changes to Space" for the cursor space, unless the newest step
    // already is exactly that: consecutive edits of one space are undone together.
    void RecordCursorSpace();
    // A one-record step "Bar Line Change" holding the bar's flags and repeat count.
    void RecordBarFlags(int bar);

    // Tells the user interface that the journal changed (the Undo caption).
    void RefreshUndoState() { UndoChanged(); }

protected:
    void InitUndoRecord(TUndoRecord& record) override;

private:
    TEditHost* host_ = nullptr;
};

// Holds an undo step open for a scope. End() closes it; a step left by an exception is
// abandoned unmarked, so undo refuses it rather than replaying half of it. The editing
// operations record through the step, so a helper that records takes the open step.
class TUndoStep {
public:
    TUndoStep(TCustomTabDoc& doc, TUndoKind kind) : doc_(doc) { doc_.BeginGroup(kind); }
    ~TUndoStep() {
        if (open_) doc_.Journal().AbandonGroup();
    }
    TUndoStep(const TUndoStep&) = delete;
    TUndoStep& operator=(const TUndoStep&) = delete;

    // A record made by one of the Encode functions (document/UndoRecords.h).
    void Add(TUndoRecord record) { doc_.AddUndoRecord(std::move(record)); }
    // The spaces as they are now, before they change.
    void SaveSpaces(int track, int first, int count) { doc_.SaveSpaces(track, first, count); }

    void End() {
        open_ = false;
        doc_.EndGroup();
    }

private:
    TCustomTabDoc& doc_;
    bool open_ = true;
};

// Records a track's space count in the step, sets the new one under the playback lock and
// has the host lay the track out again.
void SetSpaceCountUndoable(TEditDocument& doc, TUndoStep& step, int track, int count);

}  // namespace fretlo
