// TTabEditorView: the key map (movement, tracks, shifts, track effects) and the
// character map (frets, marks, effects, text lines, bar signs, strokes).
#include <QKeyEvent>
#include <cctype>

#include "document/TabDoc.h"
#include "edit/BarEdit.h"
#include "edit/Shift.h"
#include "edit/SpaceEdit.h"
#include "view/TabDocument.h"
#include "view/TabEditorView.h"

namespace fretlo {

namespace {

// Control characters of the character map.
constexpr char CharStrokeDown = 4;  // Ctrl+D
constexpr char CharRepeatOpen = 5;  // Ctrl+E
constexpr char CharBackspace = 8;
constexpr char CharStaffBreak = 11;   // Ctrl+K
constexpr char CharRepeatClose = 18;  // Ctrl+R
constexpr char CharStrokeUp = 21;     // Ctrl+U

}  // namespace

void TTabEditorView::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (SendKey(e->key(), mods)) return;
    const int key = e->key();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        SendChar(static_cast<char>(key - Qt::Key_A + 1));
    } else if (key == Qt::Key_Backspace) {
        SendChar(CharBackspace);
    } else if (e->text().size() == 1 && e->text()[0].unicode() >= 32 && e->text()[0].unicode() < 127) {
        const TInputShift shift(*this, mods & Qt::ShiftModifier);
        SendChar(static_cast<char>(e->text()[0].unicode()));
    } else {
        TTabView::keyPressEvent(e);
    }
}

bool TTabEditorView::SendKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (!Editable()) return false;
    const TInputShift shiftScope(*this, modifiers & Qt::ShiftModifier);
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    switch (qtKey) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: MoveKey(qtKey, ctrl, alt); return true;
    case Qt::Key_PageUp:
        if (!shift && cursor_.Track > 0) ChangeTrack(cursor_.Track - 1);
        return true;
    case Qt::Key_PageDown:
        if (shift)
            SetAllTracksSelection(!selection_.AllTracks);
        else if (cursor_.Track + 1 < doc_->TrackCount())
            ChangeTrack(cursor_.Track + 1);
        return true;
    case Qt::Key_Insert: ShiftRight(*doc_, ShiftModeForKeys(shift, ctrl)); return true;
    case Qt::Key_Delete: ShiftLeft(*doc_, ShiftModeForKeys(shift, ctrl)); return true;
    case Qt::Key_Backspace:
        if (!ctrl) return false;  // a character for the text lines
        ClearTrackEffects(*doc_);
        return true;
    case Qt::Key_F:
        if (ctrl || alt || cursor_.String < 0) return false;
        if (OnTrackEffects) OnTrackEffects(shift);
        return true;
    default: return false;
    }
}

void TTabEditorView::MoveKey(int qtKey, bool ctrl, bool alt) {
    const int space = cursor_.Space;
    switch (qtKey) {
    case Qt::Key_Up:
        if (ctrl)
            MoveCursorNote(*doc_, +1);
        else if (!alt)
            StringUp();
        break;
    case Qt::Key_Down:
        if (ctrl)
            MoveCursorNote(*doc_, -1);
        else if (!alt)
            StringDown();
        break;
    case Qt::Key_Left:
        if (ctrl)
            SetCursorSpace(BarStartLeft(alt), csMovePlayer);
        else if (!alt && space > 0)
            SetCursorSpace(space - 1, csMovePlayer);
        break;
    case Qt::Key_Right:
        if (ctrl)
            SetCursorSpace(BarStartRight(alt), csMovePlayer);
        else if (!alt)
            SetCursorSpace(space + 1, csMovePlayer);
        break;
    case Qt::Key_Home:
        if (ctrl && !alt) SetCursorSpace(0, csMovePlayer);
        break;
    case Qt::Key_End:
        if (ctrl && !alt) SetCursorSpace(doc_->LastUsedSpace(cursor_.Track, false), csMovePlayer);
        break;
    }
}

// From the bottom text line to the lowest string, from the top string to the top text line.
void TTabEditorView::StringUp() {
    const TTrackData& t = doc_->Track(cursor_.Track);
    int s = cursor_.String;
    if (s == -2)
        s = 0;
    else if (s == t.StringCount - 1 && t.TopTextLine)
        s = -1;
    else if (s >= 0 && s < t.StringCount - 1)
        ++s;
    SetCursorString(s);
    SetCursorSpace(cursor_.Space, 0);
}

void TTabEditorView::StringDown() {
    const TTrackData& t = doc_->Track(cursor_.Track);
    int s = cursor_.String;
    if (s == -1)
        s = t.StringCount - 1;
    else if (s == 0 && t.BottomTextLine)
        s = -2;
    else if (s > 0)
        --s;
    SetCursorString(s);
    SetCursorSpace(cursor_.Space, 0);
}

// Ctrl+Left: the start of the cursor's bar (or staff row), or of the one before when
// the cursor stands there already.
int TTabEditorView::BarStartLeft(bool staffRow) const {
    const int space = cursor_.Space;
    const int start = doc_->BarStartSpace(cursor_.Track, space, staffRow);
    if (start < space || space == 0) return start;
    return doc_->BarStartSpace(cursor_.Track, space - 1, staffRow);
}

// Ctrl+Right: the first space of the next bar (or past the last space); Ctrl+Alt+Right:
// of the next bar with a staff break, staying put when there is none.
int TTabEditorView::BarStartRight(bool staffRow) const {
    const int next = doc_->NextBarSpace(cursor_.Track, cursor_.Space, staffRow);
    if (staffRow && next >= doc_->Track(cursor_.Track).SpaceCount()) return cursor_.Space;
    return next;
}

// --- Character map ------------------------------------------------------------------------

void TTabEditorView::SendChar(char ch) {
    if (!Editable()) return;
    if (ControlChar(ch)) return;
    if (cursor_.String < 0)
        TextLineChar(ch);
    else
        StringChar(ch);
}

bool TTabEditorView::ControlChar(char ch) {
    switch (ch) {
    case CharStrokeDown: SetStroke(*doc_, true); return true;
    case CharStrokeUp: SetStroke(*doc_, false); return true;
    case CharRepeatOpen: ToggleRepeatOpen(*doc_); return true;
    case CharStaffBreak: ToggleStaffBreak(*doc_); return true;
    case CharRepeatClose: EditRepeatClose(*doc_); return true;
    default: return false;
    }
}

// Text lines: typing moves right like a typewriter, Backspace erases to the left. The
// Shift of capital letters never extends the selection.
void TTabEditorView::TextLineChar(char ch) {
    if (ch == CharBackspace) {
        if (cursor_.Space == 0) return;
        SetCursorSpace(cursor_.Space - 1, csMovePlayer | csIgnoreShift);
        SetCursorText(*doc_, 0);
    } else if (ch >= 32 && ch <= 126) {
        SetCursorText(*doc_, static_cast<uint8_t>(ch));
        if (cursor_.Space < doc_->Track(cursor_.Track).SpaceCount() - 1)
            SetCursorSpace(cursor_.Space + 1, csMovePlayer | csIgnoreShift);
    }
}

void TTabEditorView::StringChar(char ch) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (c >= '0' && c <= '9') {
        TypeFretDigit(*doc_, c - '0');
        TriggerNotes();  // even when the fret stayed the same
    } else if (c == 'X' || c == '*') {
        if (SetCursorNote(*doc_, c == 'X' ? NoteMuted : NoteStop)) TriggerNotes();
    } else if (c == ' ' || c == '-') {
        if (ClearCursorCell(*doc_) == TCellCleared::Note) TriggerNotes();
    } else if (c == '|') {
        ToggleBarLine(*doc_);
    } else if (const uint8_t effect = EffectForKey(c)) {
        SetCursorEffect(*doc_, effect);
    }
}

}  // namespace fretlo
