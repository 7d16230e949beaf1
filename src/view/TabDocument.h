// TTabDocument: the song document of the user interface. It fills the three hooks of
// the document: the Undo command's caption follows the journal, the window caption
// follows New, Load and Save, and every undo record carries the editor's cursor.
#pragma once

#include <functional>
#include <string>

#include "edit/EditDocument.h"
#include "edit/UndoReplay.h"

namespace fretlo {

class TTabDocument : public TEditDocument {
public:
    // The Undo command's caption ("&Undo " + step name, or "Can't &Undo") and state;
    // called after every change of the journal.
    std::function<void(const TUndoCaption&)> OnUndoChanged;
    // The window caption (the file's name or "Untitled", then " - Fretlo"); called
    // after New, Load and Save.
    std::function<void(const std::string&)> OnCaptionChanged;

    TUndoCaption UndoCaptionNow() const { return UndoCaption(Journal()); }
    std::string WindowCaption() const;

protected:
    void UndoChanged() override;
    void DocumentReset() override;
};

}  // namespace fretlo
