// Edits of the cursor space, as the editor's keys make them. Each follows the three
// steps of every change: the space is recorded for undo (consecutive edits of one space
// share a step), the bytes change under the playback lock, then the space's bar is
// invalidated and the status bar updated. Previewing the note is left to the caller.
#pragma once

#include <cstdint>
#include <functional>

#include "document/Space.h"
#include "edit/EditDocument.h"

namespace fretlo {

// Records the cursor space and applies `change` to it under the lock.
void ChangeCursorSpace(TEditDocument& doc, const std::function<void(TSpace&)>& change);

// Stores a note byte on the cursor string; false when it was there already.
bool SetCursorNote(TEditDocument& doc, uint8_t note);
// A typed digit: it extends a one-digit fret to two digits while the result stays
// within the track's highest number, else it starts a new fret. False when unchanged.
bool TypeFretDigit(TEditDocument& doc, int digit);
// The effect character of the key (upper-case letters as typed), 0 for other keys.
uint8_t EffectForKey(char key);
// Stores an effect character on the cursor string; false when it was there already.
bool SetCursorEffect(TEditDocument& doc, uint8_t effect);

// What clearing the cursor cell removed: its effect first, else its note.
enum class TCellCleared { Nothing, Effect, Note };
TCellCleared ClearCursorCell(TEditDocument& doc);

// Stores a character (a blank or 0 for none) on the cursor's text line; false when unchanged.
bool SetCursorText(TEditDocument& doc, uint8_t ch);

// Ctrl+D / Ctrl+U: a stroke effect of value 0 replacing the opposite stroke.
void SetStroke(TEditDocument& doc, bool down);

// Move Note Up (+1) / Down (-1) keeping the sounding pitch; the cursor follows the
// note. Beeps and changes nothing when the target cell is taken or out of reach.
void MoveCursorNote(TEditDocument& doc, int direction);

// Ctrl+Backspace: the track effects of the cursor space, or with a selection those of
// every selected space as one step "Clear Track Effects".
void ClearTrackEffects(TEditDocument& doc);

}  // namespace fretlo
