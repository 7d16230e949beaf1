// TTabEditorView: document, settings, commands and the status bar texts.
#include "view/TabEditorView.h"

#include <QMenu>

#include "playback/MidiOut.h"
#include "playback/Player.h"
#include "view/TabDocument.h"

namespace fretlo {

class TEditorPlayerEvents {};
class TReleaseService {};

TTabEditorView::TTabEditorView(QWidget* parent) : TTabView(parent) { setFocusPolicy(Qt::StrongFocus); }

TTabEditorView::~TTabEditorView() = default;

void TTabEditorView::SetTabDocument(TTabDocument* doc) {
    doc_ = doc;
    SetDocument(doc);
}

bool TTabEditorView::SendKey(int, Qt::KeyboardModifiers) { return false; }
void TTabEditorView::SendChar(char) {}
void TTabEditorView::Undo() {}
void TTabEditorView::Copy() {}
void TTabEditorView::Cut() {}
void TTabEditorView::Clear() {}
void TTabEditorView::Paste() {}
void TTabEditorView::SetAllTracksSelection(bool) {}
bool TTabEditorView::Play(bool, bool) { return false; }
void TTabEditorView::StopPlaying() {}
void TTabEditorView::CloseDevice() {}
bool TTabEditorView::IsPlaying() const { return false; }
void TTabEditorView::TriggerNotes() {}
void TTabEditorView::SetEditorOptions(const TEditorOptions& options) { editorOptions_ = options; }
void TTabEditorView::SetPlayerSettings(const TPlayerSettings& settings) { playerSettings_ = settings; }
void TTabEditorView::SetIgnoreRepeats(bool on) { playerSettings_.IgnoreRepeats = on; }
void TTabEditorView::SetMetronome(bool on) { playerSettings_.MetronomeOn = on; }
void TTabEditorView::SetMidiDevices(TMidiDevices* devices) { devices_ = devices; }
TEditCursor TTabEditorView::Cursor() const { return {cursor_.Track, cursor_.Space, cursor_.String}; }
TStatusTexts TTabEditorView::StatusTexts() const { return {}; }
void TTabEditorView::SetCursorSpace(int, int) {}
void TTabEditorView::SetCursorTrack(int) {}
void TTabEditorView::SetCursorString(int) {}
void TTabEditorView::KeepCursorOnSpace(int) {}
void TTabEditorView::CollapseSelection() {}
void TTabEditorView::InvalidateSpaces(int track, int first, int last) {
    TTabView::InvalidateSpaces(track, first, last);
}
void TTabEditorView::InvalidateBar(int bar) { TTabView::InvalidateBar(bar); }
void TTabEditorView::InvalidateBarsFrom(int bar) { TTabView::InvalidateBarsFrom(bar); }
void TTabEditorView::SpaceCountChanged(int) {}
TMsgAnswer TTabEditorView::ShowMessage(const std::string&, const std::string&, TMsgIcon, TMsgButtons) {
    return TMsgAnswer::Ok;
}
std::optional<std::string> TTabEditorView::AskText(const std::string&, const std::string&,
                                                   const std::string&) {
    return std::nullopt;
}
void TTabEditorView::Beep() {}
void TTabEditorView::UpdateStatusBar() {}
bool TTabEditorView::PutClipboardBlock(const std::vector<uint8_t>&) { return false; }
std::optional<std::vector<uint8_t>> TTabEditorView::ClipboardBlock() { return std::nullopt; }
void TTabEditorView::DocumentReplaced() { TTabView::DocumentReplaced(); }
bool TTabEditorView::event(QEvent* e) { return TTabView::event(e); }
void TTabEditorView::keyPressEvent(QKeyEvent* e) { TTabView::keyPressEvent(e); }
void TTabEditorView::focusInEvent(QFocusEvent* e) { TTabView::focusInEvent(e); }
void TTabEditorView::focusOutEvent(QFocusEvent* e) { TTabView::focusOutEvent(e); }
void TTabEditorView::mousePressEvent(QMouseEvent* e) { TTabView::mousePressEvent(e); }
void TTabEditorView::mouseMoveEvent(QMouseEvent* e) { TTabView::mouseMoveEvent(e); }
void TTabEditorView::mouseReleaseEvent(QMouseEvent* e) { TTabView::mouseReleaseEvent(e); }
void TTabEditorView::wheelEvent(QWheelEvent* e) { TTabView::wheelEvent(e); }
void TTabEditorView::PaintWithOverlays(QPainter& p, const QRect& clip) {
    TTabView::PaintWithOverlays(p, clip);
}

}  // namespace fretlo
