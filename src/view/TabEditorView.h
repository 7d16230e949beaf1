// TTabEditorView: the tablature view the main window shows, with the editing cursor, the
// time-range selection, the keyboard and character maps, the mouse and the caret. It is
// the TEditHost of the Qt-free editing core, whose operations make every change of the
// song, and the host of its player bridge (TEditorPlayer), to which Play and the other
// player commands are handed.
//
//   TabEditorView.cpp          document, settings, commands, status bar texts
//   TabEditorViewCursor.cpp    SetCursorSpace, track and string changes, the selection
//   TabEditorViewKeys.cpp      the key map and the character map
//   TabEditorViewMouse.cpp     hit test, click, drag with auto-scroll, wheel, menu, hints
//   TabEditorViewCaret.cpp     the caret and the selection highlight
//   TabEditorViewPlayer.cpp    what the player bridge asks of the view
//   TabEditorViewHost.cpp      the rest of TEditHost: messages, clipboard, invalidation
#pragma once

#include <QRegion>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "edit/EditHost.h"
#include "view/EditorPlayer.h"
#include "view/TabView.h"

class QHelpEvent;
class QMenu;

namespace fretlo {

class TTabDocument;

// The settings the editor follows besides the view's display options.
struct TEditorOptions {
    bool ScrollABar = false;              // follow the cursor a bar at a time
    bool HideCursorWhilePlaying = false;  // no caret during playback
    bool MouseWheelVert = false;          // the wheel scrolls vertically without Shift
    int MidiDevice = -1;                  // -1 the built-in synthesizer, else a port index
    std::string SoundFont;                // of the built-in synthesizer; empty: the first found
};

// The eight panels of the status bar: track, bar, ratio, three of the note, title, speed.
using TStatusTexts = std::array<QString, 8>;

class TTabEditorView : public TTabView, public TEditHost, private TEditorPlayerHost {
    Q_OBJECT
public:
    explicit TTabEditorView(QWidget* parent = nullptr);
    ~TTabEditorView() override;

    // --- Document -------------------------------------------------------------------
    // Attaches a document (nullptr detaches): cursor and selection go back to the start.
    // The document must outlive the attachment.
    void SetTabDocument(TTabDocument* doc);
    TTabDocument* TabDocument() const { return doc_; }
    // Again after a change of track count, string count or text-line flags; the cursor
    // then stands on a row its track has.
    void LayOutVertically();

    // --- Keys and characters: what the keyboard and the menus send -----------------
    // A key of the key map (Qt::Key_Left, Qt::Key_Insert, ...) with its modifiers.
    // True when the key map consumed it.
    bool SendKey(int qtKey, Qt::KeyboardModifiers modifiers);
    // A character of the character map: control codes 4, 5, 11, 18, 21 for Ctrl+D, E,
    // K, R, U, printable characters as typed.
    void SendChar(char ch);

    // --- Commands -----------------------------------------------------------------------
    void Undo();
    void Copy();
    void Cut();
    // Clears the selection, or the cursor cell when there is none.
    void Clear();
    void Paste();
    // Toggles the all-tracks flag of an active selection (Shift+Page Down).
    void SetAllTracksSelection(bool on);
    void Deselect() { CollapseSelection(); }
    // Shows the time range [start, end) of the cursor track as the selection.
    void SelectTimes(int32_t start, int32_t end) { SetSelection({true, false, start, end}); }

    // --- Player (handed to the bridge, EditorPlayer.h) -------------------------------
    // Starts playback at the cursor space (a preview sounds only that column). Failures
    // are shown in a message box; false when nothing started.
    bool Play(bool allTracks, bool preview) { return player_.Play(allTracks, preview); }
    void StopPlaying() override { player_.StopPlaying(); }
    // Stops and closes the MIDI device; the next Play opens it again.
    void CloseDevice() { player_.CloseDevice(); }
    // A real playback (not a note preview) is running.
    bool IsPlaying() const { return player_.IsPlaying(); }
    // A player exists, so its device is open (Close Device is enabled).
    bool HasPlayer() const { return player_.HasPlayer(); }
    // Previews the cursor column as the preview mode says (nothing when it is off).
    void TriggerNotes() { player_.TriggerNotes(); }

    // --- Settings -------------------------------------------------------------------
    void SetEditorOptions(const TEditorOptions& options);
    const TEditorOptions& EditorOptions() const { return editorOptions_; }
    void SetPlayerSettings(const TPlayerSettings& settings) { player_.SetSettings(settings); }
    const TPlayerSettings& PlayerSettings() const { return player_.Settings(); }
    void SetIgnoreRepeats(bool on);
    void SetMetronome(bool on);
    void SetPreviewMode(TPreviewMode mode) { player_.SetPreviewMode(mode); }
    TPreviewMode PreviewMode() const { return player_.PreviewMode(); }
    void SetRewindAfterStop(bool on) { player_.SetRewindAfterStop(on); }
    bool RewindAfterStop() const { return player_.RewindAfterStop(); }
    // Loop Selection, speed, trainer and count-in (EditorPlayer.h), for the next Play; SetSpeed
    // also changes a running playback. The ruler marks the loop while Loop Selection is on.
    void SetPractice(const TPracticeChoice& practice);
    void SetSpeed(int percent);
    const TPracticeChoice& Practice() const { return player_.Practice(); }
    // Speed and loop pass of the running playback; nothing when none runs.
    std::optional<TPracticeState> PlayingPractice() const { return player_.PlayingPractice(); }
    // While Loop Selection is on: the running loop, else what Play would loop.
    std::optional<TTimeRange> LoopMark() const override;
    // The devices the player opens; nullptr (the default) means the system's devices,
    // made by MakeSystemDevices. Must outlive the player (see CloseDevice).
    void SetMidiDevices(TMidiDevices* devices) { player_.SetMidiDevices(devices); }
    // Makes the system's devices for a SoundFont setting; without it there are none.
    TMakeSystemDevices MakeSystemDevices;

    // --- Queries for the status bar and the menus -------------------------------------
    TEditCursor Cursor() const override;
    TSelection Selection() const override { return selection_; }
    bool HasSelection() const { return selection_.Active; }
    TStatusTexts StatusTexts() const;

    // --- Hooks filled by the main window and its dialogs -----------------------------
    // F on a string: the track-effects dialog for the cursor space; Shift+F repeats the
    // latest effect before it.
    std::function<void(bool repeatPrevious)> OnTrackEffects;
    // The menu a right click in the music area pops up: the main window's, built from its
    // shared actions. Without one a right click only moves the cursor.
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }

    // --- TEditHost ------------------------------------------------------------------
    void SetCursorSpace(int space, int flags) override;
    void SetCursorTrack(int track) override;
    void SetCursorString(int string) override;
    void KeepCursorOnSpace(int space) override;
    void CollapseSelection() override;
    void InvalidateSpaces(int track, int first, int last) override;
    void InvalidateBar(int bar) override;
    void InvalidateBarsFrom(int bar) override;
    void SpaceCountChanged(int track) override;
    TMsgAnswer ShowMessage(const std::string& text, const std::string& caption, TMsgIcon icon,
                           TMsgButtons buttons) override;
    std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
    void Beep() override;
    void UpdateStatusBar() override;
    bool PutClipboardBlock(const std::vector<uint8_t>& block) override;
    std::optional<std::vector<uint8_t>> ClipboardBlock() override;

    void DocumentReplaced() override;

signals:
    // The status bar's texts changed (after every cursor move and edit).
    void StatusChanged();
    // A selection appeared or went away: Cut and Copy follow it.
    void SelectionChanged(bool active);
    // A real playback started or stopped: Play and Play All Tracks are enabled when
    // not playing, Stop while playing.
    void PlayingChanged(bool playing);
    // The player was created or closed: Close Device follows it.
    void PlayerExistsChanged(bool exists);
    // A note preview failed (the device would not open): the window shows `text` for a while.
    void PreviewNotice(const QString& text);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void PaintWithOverlays(QPainter& p, const QRect& clip) override;

private:
    // Holds the Shift state of the key or click being handled, for the selection.
    class TInputShift {
    public:
        TInputShift(TTabEditorView& view, bool shift) : view_(view), saved_(view.inputShift_) {
            view_.inputShift_ = shift;
        }
        ~TInputShift() { view_.inputShift_ = saved_; }
        TInputShift(const TInputShift&) = delete;
        TInputShift& operator=(const TInputShift&) = delete;

    private:
        TTabEditorView& view_;
        bool saved_;
    };
    struct THit {
        int Track = 0;
        int Space = 0;
        int String = 0;
    };

    bool Editable() const;

    // Cursor and selection (TabEditorViewCursor.cpp)
    int ClampString(int track, int string) const;
    bool ExtendMode(int flags) const;
    void ScrollCursorIntoView(bool barWise);
    void ChangeTrack(int track);
    int SpaceAtOrAfter(int track, int32_t time) const;
    int SpaceAtOrBefore(int track, int32_t time) const;
    void SetSelection(const TSelection& selection);

    // Keys (TabEditorViewKeys.cpp)
    void MoveKey(int qtKey, bool ctrl, bool alt);
    void StringUp();
    void StringDown();
    int BarStartLeft(bool staffRow) const;
    int BarStartRight(bool staffRow) const;
    bool ControlChar(char ch);
    void TextLineChar(char ch);
    void StringChar(char ch);

    // Mouse (TabEditorViewMouse.cpp)
    bool InMusicArea(int x) const;
    int TrackAtY(int y);
    int SpaceAtX(int track, int x);
    THit HitTest(QPoint pos, bool dragging);
    void MoveToHit(const THit& hit);
    void AutoScroll();
    void ShowContextMenu(QPoint globalPos);
    bool ShowTrackEffectHint(QHelpEvent* e);

    // Caret and highlight (TabEditorViewCaret.cpp)
    QRect CaretRect();
    bool CaretShown() const;
    void MoveCaret(const QRect& oldCaret);
    QRegion SelectionRegion(const TSelection& selection);

    // TEditorPlayerHost (TabEditorViewPlayer.cpp; CollapseSelection is TEditHost's too)
    std::optional<TPlayCursor> PlayCursor() const override;
    std::optional<TTimeRange> LoopRange() const override;
    void ClearPlayMarks() override;
    void ShowPlayMarks(int track, int playedSpace, int noteSpace) override;
    void FollowPlayPosition(int32_t time) override;
    void RewindTo(int32_t time) override;
    void ShowPlayerMessage(const std::string& text) override;
    void ShowPreviewNotice(const std::string& text) override;
    void PlayingStateChanged(bool playing) override;
    void PlayerStateChanged(bool exists) override;
    void PracticeStateChanged() override;
    // The speed panel's text: the speed when not 100 %, with a trainer the pass too.
    QString PracticeStatus() const;

    TTabDocument* doc_ = nullptr;
    TSelection selection_;
    TEditorOptions editorOptions_;
    bool inputShift_ = false;  // Shift held with the key or click being handled

    bool caretOn_ = true;  // the blink phase
    QTimer caretTimer_;

    bool dragging_ = false;
    QPoint lastMouse_;
    QTimer autoScrollTimer_;
    int wheelRest_ = 0;  // wheel movement short of a notch
    QMenu* contextMenu_ = nullptr;

    TEditorPlayer player_{*this, MakeSystemDevices};
};

}  // namespace fretlo
