// TEditHost: what the Qt-free editing operations need from the editor view. The editor
// widget implements it; tests implement it with a recording fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/EditSelection.h"

namespace fretlo {

// The editing cursor: string 0 is drawn lowest, -1 / -2 are the top / bottom text lines.
struct TEditCursor {
    int Track = 0;
    int Space = 0;
    int String = 0;
};

// Flags of SetCursorSpace.
enum TCursorFlags {
    csNoBarScroll = 1,    // no bar-wise scrolling
    csMovePlayer = 2,     // a playing player jumps to the new space's start time
    csNoHScroll = 4,      // do not scroll horizontally
    csNoVScroll = 8,      // do not scroll vertically
    csNoExtend = 16,      // never extend the selection
    csIgnoreShift = 32,   // the Shift key does not extend the selection
    csTrackChanged = 64,  // the track just changed
};

enum class TMsgIcon { Information, Warning, Error, Question };
enum class TMsgButtons { Ok, YesNo, YesNoCancel };
enum class TMsgAnswer { Ok, Yes, No, Cancel };

// Caption of every message box of the editor.
inline constexpr const char* EditMessageCaption = "Fretlo";

class TEditHost {
public:
    virtual ~TEditHost() = default;

    // --- Cursor -------------------------------------------------------------
    virtual TEditCursor Cursor() const = 0;
    // The one path of every cursor movement (clamps the space, may extend the selection).
    virtual void SetCursorSpace(int space, int flags) = 0;
    // Changes the cursor track only: collapses the selection, clamps the string and
    // repaints the ruler; the caller then moves to a space with csTrackChanged.
    virtual void SetCursorTrack(int track) = 0;
    // Sets the cursor string, clamped to the rows the cursor track has.
    virtual void SetCursorString(int string) = 0;
    // Puts the cursor back on an existing space after spaces were removed, without
    // scrolling and without touching the selection.
    virtual void KeepCursorOnSpace(int space) = 0;

    // --- Selection ----------------------------------------------------------
    virtual TSelection Selection() const = 0;
    virtual void CollapseSelection() = 0;

    // --- Layout cache -------------------------------------------------------
    virtual void InvalidateSpaces(int track, int first, int last) = 0;
    virtual void InvalidateBar(int bar) = 0;
    virtual void InvalidateBarsFrom(int bar) = 0;
    // A track's space count changed: resize the view's tables and scroll range.
    virtual void SpaceCountChanged(int track) = 0;

    // --- User ---------------------------------------------------------------
    virtual TMsgAnswer ShowMessage(const std::string& text, const std::string& caption, TMsgIcon icon,
                                   TMsgButtons buttons) = 0;
    // A one-line prompt; nothing when cancelled.
    virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                               const std::string& initial) = 0;
    virtual void Beep() = 0;
    virtual void StopPlaying() = 0;
    virtual void UpdateStatusBar() = 0;

    // --- Clipboard (the private "WinFretlo/200c" entry) ---------------------
    // Replaces the clipboard's content with the block; false when that failed.
    virtual bool PutClipboardBlock(const std::vector<uint8_t>& block) = 0;
    // The block on the clipboard, or nothing when there is none or it cannot be read.
    virtual std::optional<std::vector<uint8_t>> ClipboardBlock() = 0;

    // A user error of a command: a warning box captioned "Fretlo" with OK.
    void Refuse(const std::string& text) {
        ShowMessage(text, EditMessageCaption, TMsgIcon::Warning, TMsgButtons::Ok);
    }
};

}  // namespace fretlo
