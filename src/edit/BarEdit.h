// Edits of single bars at the cursor: the bar line toggle ("|"), repeat open, repeat
// close with its count, and the staff break. Each is one undo step "Bar Line Change".
#pragma once

#include "edit/EditDocument.h"

namespace fretlo {

// "|": removes the bar line that starts at the cursor time, or splits the bar there.
// Refused off a sixteenth boundary; nothing at time 0 or at or past the song's end.
void ToggleBarLine(TEditDocument& doc);
// Ctrl+E: the repeat-open flag of the cursor's bar.
void ToggleRepeatOpen(TEditDocument& doc);
// Ctrl+K: the staff-break flag of the cursor's bar; bar 0 may only lose it.
void ToggleStaffBreak(TEditDocument& doc);
// Ctrl+R: removes the cursor bar's repeat close, or asks for a count from 1 to 255.
void EditRepeatClose(TEditDocument& doc);

}  // namespace fretlo
