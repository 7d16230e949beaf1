#include "view/ClipboardQt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "edit/Clipboard.h"

namespace fretlo {

bool PutClipboardBytes(const std::vector<uint8_t>& block) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    auto data = std::make_unique<QMimeData>();
    data->setData(ClipboardMimeType, QByteArray(reinterpret_cast<const char*>(block.data()),
                                                static_cast<qsizetype>(block.size())));
    clipboard->setMimeData(data.release());  // the clipboard owns it now
    return true;
}

std::optional<std::vector<uint8_t>> ClipboardBytes() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasFormat(ClipboardMimeType)) return std::nullopt;
    const QByteArray bytes = data->data(ClipboardMimeType);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace fretlo
