#include "view/TabDocument.h"

#include <filesystem>

namespace fretlo {

std::string TTabDocument::WindowCaption() const {
    const std::string name =
        FileName.empty() ? "Untitled" : std::filesystem::path(FileName).filename().string();
    return name + " - Fretlo";
}

void TTabDocument::UndoChanged() {
    if (OnUndoChanged) OnUndoChanged(UndoCaptionNow());
}

void TTabDocument::DocumentReset() {
    if (OnCaptionChanged) OnCaptionChanged(WindowCaption());
}

}  // namespace fretlo
