// The system clipboard's private entry of copied spaces: a QMimeData item of the type
// "WinFretlo/200c" holding the block's bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace fretlo {

// Replaces the clipboard's content with the block; false when there is no clipboard.
bool PutClipboardBytes(const std::vector<uint8_t>& block);
// The block on the clipboard; nothing when it holds none.
std::optional<std::vector<uint8_t>> ClipboardBytes();

}  // namespace fretlo
