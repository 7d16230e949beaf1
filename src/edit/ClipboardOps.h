// Copy, Cut, Clear and Paste of the time-range selection, across tracks and
// alternate-time regions. Every check comes before any change: a refused command leaves
// the song, the clipboard and the undo history as they were.
#pragma once

#include "document/UndoJournal.h"
#include "edit/EditDocument.h"

namespace fretlo {

// Puts the selected spaces of every selected track on the clipboard; false when there
// is no selection, the selection cannot be copied (a message says why) or the
// clipboard refused the block.
bool CopySelection(TEditDocument& doc);

// Empties the selected spaces as one undo step named after `kind` (Clear or Cut) and
// turns alternate-time regions inside them back into ordinary spaces, keeping the time
// of everything after the selection. The selection stays.
void ClearSelection(TEditDocument& doc, TUndoKind kind = ukClear);

// Copy, then Clear under the name "Cut" when the copy succeeded.
void CutSelection(TEditDocument& doc);

// Writes the clipboard's block at the cursor, replacing the same stretch of time on
// each target track, as one undo step "Paste". The cursor stays.
void Paste(TEditDocument& doc);

}  // namespace fretlo
