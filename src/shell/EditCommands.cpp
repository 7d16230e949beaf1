// The Edit menu: the commands that send their key to the view, the clipboard actions'
// states, the Undo caption, and Go to Bar.
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMimeData>

#include "shell/Main.h"
#include "shell/MainFormRules.h"
#include "edit/Clipboard.h"
#include "view/TabEditorView.h"

namespace fretlo {

void TMainForm::ConnectEditCommands() {
    Document_.OnUndoChanged = [this](const TUndoCaption& caption) {
        actEditUndo->setText(QString::fromStdString(caption.Text));
        actEditUndo->setEnabled(caption.Enabled);
    };
    connect(View_, &TTabEditorView::SelectionChanged, this, [this] { UpdateSelectionActions(); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdatePasteAction(); });
    UpdatePasteAction();
}

// Delivered to the view's key map exactly as if the key had been pressed there.
void TMainForm::SendKey(int qtKey, Qt::KeyboardModifiers modifiers) { View_->SendKey(qtKey, modifiers); }

void TMainForm::UpdatePasteAction() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    actEditPaste->setEnabled(data && data->hasFormat(ClipboardMimeType));
}

void TMainForm::UpdateSelectionActions() {
    const TSelection selection = View_->Selection();
    actEditCut->setEnabled(selection.Active);
    actEditCopy->setEnabled(selection.Active);
    ESelAllTracks->setEnabled(selection.Active);
    ESelAllTracks->setChecked(selection.Active && selection.AllTracks);
}

void TMainForm::EGotoClick() {
    const TEditCursor cursor = View_->Cursor();
    const int current = Document_.BarOfSpace(cursor.Track, cursor.Space) + 1;
    bool ok = false;
    const QString text = QInputDialog::getText(this, "Go to Bar", "Bar number:", QLineEdit::Normal,
                                               QString::number(current), &ok);
    if (!ok) return;
    const auto number = ParseBarNumber(text.toStdString());
    if (!number) {
        ShowError("Bar number must be at least 1.");
        return;
    }
    const int bar = std::min(*number, Document_.BarCount()) - 1;
    View_->SetCursorSpace(Document_.SpaceAtTime(cursor.Track, Document_.Bar(bar).Start, 0), csMovePlayer);
}

void TMainForm::EMenuShow() { UpdateSelectionActions(); }

}  // namespace fretlo
