// TTabEditorView: construction, the document, commands, settings and the status bar texts.
#include "view/TabEditorView.h"

#include <QApplication>
#include <QMenu>

#include "document/SongText.h"
#include "edit/ClipboardOps.h"
#include "edit/UndoReplay.h"
#include "playback/MidiNames.h"
#include "view/TabDocument.h"

namespace fretlo {

namespace {

constexpr int AutoScrollMs = 33;

}  // namespace

TTabEditorView::TTabEditorView(QWidget* parent) : TTabView(parent) {
    setFocusPolicy(Qt::StrongFocus);
    autoScrollTimer_.setInterval(AutoScrollMs);
    connect(&autoScrollTimer_, &QTimer::timeout, this, [this] { AutoScroll(); });
    const int flash = QApplication::cursorFlashTime();
    caretTimer_.setInterval(flash > 0 ? flash / 2 : 0);
    connect(&caretTimer_, &QTimer::timeout, this, [this] {
        caretOn_ = !caretOn_;
        update(CaretRect());
    });
}

TTabEditorView::~TTabEditorView() {
    // The main window may be half destroyed already: nobody is told about the closing.
    blockSignals(true);
    CloseDevice();
    if (doc_) doc_->SetEditHost(nullptr);
}

void TTabEditorView::SetTabDocument(TTabDocument* doc) {
    player_.SetDocument(doc);
    if (doc_) doc_->SetEditHost(nullptr);
    doc_ = doc;
    if (doc_) doc_->SetEditHost(this);
    SetDocument(doc);
}

void TTabEditorView::DocumentReplaced() {
    const bool hadSelection = selection_.Active;
    selection_ = {};
    TTabView::DocumentReplaced();
    if (hadSelection) emit SelectionChanged(false);
    UpdateStatusBar();
}

void TTabEditorView::LayOutVertically() {
    const QRect oldCaret = CaretRect();
    TTabView::LayOutVertically();
    if (!Editable()) return;
    cursor_.Space = std::min(cursor_.Space, doc_->Track(cursor_.Track).SpaceCount() - 1);
    cursor_.String = ClampString(cursor_.Track, cursor_.String);
    MoveCaret(oldCaret);
    UpdateStatusBar();
}

bool TTabEditorView::Editable() const { return doc_ && doc_->TrackCount() > 0 && doc_->BarCount() > 0; }

// --- Commands -----------------------------------------------------------------------

void TTabEditorView::Undo() {
    if (Editable()) fretlo::Undo(*doc_);
}

void TTabEditorView::Copy() {
    if (Editable()) CopySelection(*doc_);
}

void TTabEditorView::Cut() {
    if (Editable()) CutSelection(*doc_);
}

void TTabEditorView::Clear() {
    if (!Editable()) return;
    if (selection_.Active)
        ClearSelection(*doc_);
    else
        SendChar(' ');
}

void TTabEditorView::Paste() {
    if (Editable()) fretlo::Paste(*doc_);
}

// --- Settings -------------------------------------------------------------------------

void TTabEditorView::SetEditorOptions(const TEditorOptions& options) {
    player_.SetDevice(options.MidiDevice, options.SoundFont);
    editorOptions_ = options;
    update(CaretRect());
}

void TTabEditorView::SetIgnoreRepeats(bool on) {
    TPlayerSettings s = PlayerSettings();
    s.IgnoreRepeats = on;
    SetPlayerSettings(s);
}

void TTabEditorView::SetMetronome(bool on) {
    TPlayerSettings s = PlayerSettings();
    s.MetronomeOn = on;
    SetPlayerSettings(s);
}

// --- Status bar -------------------------------------------------------------------------

TStatusTexts TTabEditorView::StatusTexts() const {
    TStatusTexts s;
    if (!Editable()) return s;
    const TTrackData& track = doc_->Track(cursor_.Track);
    const TSpace& space = track.Space(cursor_.Space);
    s[0] = QStringLiteral(" Track: %1").arg(cursor_.Track + 1);
    s[1] = QStringLiteral(" Bar: %1").arg(doc_->BarOfSpace(cursor_.Track, cursor_.Space) + 1);
    if (space.RatioNum != space.RatioDen)
        s[2] = QStringLiteral("%1 : %2").arg(space.RatioDen).arg(space.RatioNum);
    if (cursor_.String >= 0 && IsFretNote(space.Notes[cursor_.String])) {
        const int key = track.StringBaseKey(cursor_.String) + space.Notes[cursor_.String] - NoteFretBase;
        const int pitchClass = ((key % 12) + 12) % 12;
        s[3] = QString::fromLatin1(NoteNamesFlat[pitchClass].data(), NoteNamesFlat[pitchClass].size());
        s[4] = QString::fromLatin1(NoteNamesSharp[pitchClass].data(), NoteNamesSharp[pitchClass].size());
        s[5] = QString::number(key / 12);
    }
    if (!doc_->Title.empty()) {
        std::string title = " " + SongTextUtf8(doc_->Title);
        if (!doc_->Artist.empty()) title += " / " + SongTextUtf8(doc_->Artist);
        if (!doc_->Transcriber.empty()) title += " / " + SongTextUtf8(doc_->Transcriber);
        s[6] = QString::fromStdString(title);
    }
    s[7] = PracticeStatus();
    return s;
}

void TTabEditorView::UpdateStatusBar() { emit StatusChanged(); }

}  // namespace fretlo
