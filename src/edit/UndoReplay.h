// The Undo command: replays the newest step of the journal, newest record first, and
// puts the cursor back where the step began.
#pragma once

#include <string>

#include "document/UndoJournal.h"
#include "edit/EditDocument.h"

namespace fretlo {

// The Undo command's caption and whether it is enabled.
struct TUndoCaption {
    std::string Text;
    bool Enabled = false;
};
TUndoCaption UndoCaption(const TUndoJournal& journal);

// Stops playback, refuses with a message when the step cannot be undone, otherwise
// undoes it whole, marks the document clean again when the journal is back at a clean
// base, refreshes the Undo caption and restores the cursor.
void Undo(TEditDocument& doc);

// Applies one record's undo action to the document (the lock is taken inside).
void ReplayUndoRecord(TEditDocument& doc, const TUndoRecord& record);

}  // namespace fretlo
