#include "edit/SpaceEdit.h"

#include <cstring>

#include "base/Errors.h"
#include "document/TrackProps.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr char EffectKeys[] = "HPBRSTW/\\^~(<{";

int CursorString(const TEditDocument& doc) {
    const int s = doc.Host().Cursor().String;
    Check(s >= 0, "string edit on a text line");
    return s;
}

const TSpace& CursorSpace(const TEditDocument& doc) {
    const TEditCursor c = doc.Host().Cursor();
    return doc.Track(c.Track).Space(c.Space);
}

}  // namespace

void ChangeCursorSpace(TEditDocument& doc, const std::function<void(TSpace&)>& change) {
    TEditHost& host = doc.Host();
    const TEditCursor c = host.Cursor();
    doc.RecordCursorSpace();
    {
        TPlaybackGuard guard(PlaybackLock());
        change(doc.Track(c.Track).Space(c.Space));
    }
    host.InvalidateSpaces(c.Track, c.Space, c.Space);
    host.UpdateStatusBar();
}

bool SetCursorNote(TEditDocument& doc, uint8_t note) {
    const int s = CursorString(doc);
    if (CursorSpace(doc).Notes[s] == note) return false;
    ChangeCursorSpace(doc, [&](TSpace& space) { space.Notes[s] = note; });
    return true;
}

bool TypeFretDigit(TEditDocument& doc, int digit) {
    Check(digit >= 0 && digit <= 9, "fret digit out of range");
    const uint8_t old = CursorSpace(doc).Notes[CursorString(doc)];
    const int highest = doc.Track(doc.Host().Cursor().Track).HighestNumber;
    int fret = digit;
    if (old >= NoteFretBase && old <= NoteFretBase + 9 && (old - NoteFretBase) * 10 + digit <= highest)
        fret = (old - NoteFretBase) * 10 + digit;
    return SetCursorNote(doc, static_cast<uint8_t>(NoteFretBase + fret));
}

uint8_t EffectForKey(char key) {
    if (key == 0 || !std::strchr(EffectKeys, key)) return 0;
    return static_cast<uint8_t>(key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key);
}

bool SetCursorEffect(TEditDocument& doc, uint8_t effect) {
    const int s = CursorString(doc);
    if (CursorSpace(doc).Effects[s] == effect) return false;
    ChangeCursorSpace(doc, [&](TSpace& space) { space.Effects[s] = effect; });
    return true;
}

TCellCleared ClearCursorCell(TEditDocument& doc) {
    const int s = CursorString(doc);
    const TSpace& space = CursorSpace(doc);
    if (space.Effects[s]) {
        SetCursorEffect(doc, 0);
        return TCellCleared::Effect;
    }
    if (space.Notes[s]) {
        SetCursorNote(doc, NoteEmpty);
        return TCellCleared::Note;
    }
    return TCellCleared::Nothing;
}

bool SetCursorText(TEditDocument& doc, uint8_t ch) {
    const int line = doc.Host().Cursor().String;
    Check(line == -1 || line == -2, "text edit off the text lines");
    if (ch == ' ') ch = 0;
    const TSpace& space = CursorSpace(doc);
    if ((line == -1 ? space.TopText : space.BottomText) == ch) return false;
    ChangeCursorSpace(doc, [&](TSpace& s) { (line == -1 ? s.TopText : s.BottomText) = ch; });
    return true;
}

void SetStroke(TEditDocument& doc, bool down) {
    const int kind = down ? pkStrokeDown : pkStrokeUp;
    if (FindProp(CursorSpace(doc), kind)) return;
    ChangeCursorSpace(doc, [&](TSpace& space) {
        RemoveProp(space, down ? pkStrokeUp : pkStrokeDown);
        AddPropNode(space, kind, 0);
    });
}

void MoveCursorNote(TEditDocument& doc, int direction) {
    TEditHost& host = doc.Host();
    const TEditCursor c = host.Cursor();
    const TTrackData& t = doc.Track(c.Track);
    const int from = c.String, to = c.String + direction;
    if (from < 0 || to < 0 || to >= t.StringCount) return;
    const TSpace& space = t.Space(c.Space);
    if (!space.Notes[from] && !space.Effects[from]) return;
    if (space.Notes[to] || space.Effects[to]) return host.Beep();
    uint8_t note = space.Notes[from];
    if (IsFretNote(note)) {
        const int fret = t.StringBaseKey(from) + (note - NoteFretBase) - t.StringBaseKey(to);
        if (fret < 0 || fret > t.HighestNumber) return host.Beep();
        note = static_cast<uint8_t>(NoteFretBase + fret);
    }
    ChangeCursorSpace(doc, [&](TSpace& s) {
        s.Notes[to] = note;
        s.Effects[to] = s.Effects[from];
        s.Notes[from] = 0;
        s.Effects[from] = 0;
    });
    host.SetCursorString(to);
}

void ClearTrackEffects(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    const TSelection sel = host.Selection();
    const TEditCursor c = host.Cursor();
    if (!sel.Active) {
        if (CursorSpace(doc).Props) ChangeCursorSpace(doc, [](TSpace& s) { ClearProps(s); });
        return;
    }
    const TTrackRange tracks = SelectedTracks(doc, sel, c.Track);
    TUndoStep step(doc, ukClearTrackEffects);
    for (int tr = tracks.First; tr <= tracks.Last; ++tr) {
        const auto run = SpacesInRange(doc, tr, sel.Low(), sel.High());
        if (!run) continue;
        step.SaveSpaces(tr, run->First, run->Count());
        {
            TPlaybackGuard guard(PlaybackLock());
            for (int i = run->First; i <= run->Last; ++i) ClearProps(doc.Track(tr).Space(i));
        }
        host.InvalidateSpaces(tr, run->First, run->Last);
    }
    step.End();
    host.UpdateStatusBar();
}

}  // namespace fretlo
