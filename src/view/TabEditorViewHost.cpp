// TTabEditorView: the rest of TEditHost: invalidation, messages, prompts, the beep and
// the clipboard.
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "view/ClipboardQt.h"
#include "view/TabEditorView.h"

namespace fretlo {

void TTabEditorView::InvalidateSpaces(int track, int first, int last) {
    TTabView::InvalidateSpaces(track, first, last);
}

void TTabEditorView::InvalidateBar(int bar) { TTabView::InvalidateBar(bar); }

void TTabEditorView::InvalidateBarsFrom(int bar) { TTabView::InvalidateBarsFrom(bar); }

TMsgAnswer TTabEditorView::ShowMessage(const std::string& text, const std::string& caption, TMsgIcon icon,
                                       TMsgButtons buttons) {
    QMessageBox box(this);
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case TMsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case TMsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case TMsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case TMsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case TMsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case TMsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case TMsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return TMsgAnswer::Yes;
    case QMessageBox::No: return TMsgAnswer::No;
    case QMessageBox::Cancel: return TMsgAnswer::Cancel;
    default: return buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::Cancel;
    }
}

std::optional<std::string> TTabEditorView::AskText(const std::string& caption, const std::string& prompt,
                                                   const std::string& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, QString::fromStdString(caption), QString::fromStdString(prompt),
                              QLineEdit::Normal, QString::fromStdString(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

void TTabEditorView::Beep() { QApplication::beep(); }

bool TTabEditorView::PutClipboardBlock(const std::vector<uint8_t>& block) { return PutClipboardBytes(block); }

std::optional<std::vector<uint8_t>> TTabEditorView::ClipboardBlock() { return ClipboardBytes(); }

}  // namespace fretlo
