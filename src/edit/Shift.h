// Shifting on Insert and Delete: one sixteenth of time inserted or deleted at the
// cursor, moving the notes of the cursor track or of every track, the bar lines after
// the cursor, or both. All checks come before any change; each shift is one undo step.
#pragma once

#include "edit/EditDocument.h"

namespace fretlo {

// What a shift moves; bar lines always move on every track.
struct TShiftMode {
    bool Notes = true;
    bool BarLines = false;
    bool AllTracks = false;
};

// Insert / Delete with their modifiers: none = notes of the cursor track, Ctrl = notes
// of all tracks, Shift = bar lines, Ctrl+Shift = both.
constexpr TShiftMode ShiftModeForKeys(bool shift, bool ctrl) {
    return {!shift || ctrl, shift, shift || ctrl};
}

// Both stop playback and collapse the selection first; a refused shift only shows why.
void ShiftRight(TEditDocument& doc, TShiftMode mode);
void ShiftLeft(TEditDocument& doc, TShiftMode mode);

}  // namespace fretlo
