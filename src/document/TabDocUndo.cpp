// The document's side of the undo journal: records stamped by the hooks, spaces saved whole.
#include "base/Errors.h"
#include "document/TabDoc.h"
#include "document/UndoRecords.h"

namespace fretlo {

void TCustomTabDoc::AddUndoRecord(TUndoRecord record) {
    Check(journal_.GroupOpen(), "undo record outside an open group");
    InitUndoRecord(record);
    journal_.Append(std::move(record), Modified);
    UndoChanged();
    Modified = true;
}

void TCustomTabDoc::SaveSpaces(int track, int first, int count) {
    AddUndoRecord(EncodeSpaces(*this, track, first, count));
}

void TCustomTabDoc::ClearJournal() {
    journal_.Clear();
    UndoChanged();
}

}  // namespace fretlo
