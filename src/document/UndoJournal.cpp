#include "document/UndoJournal.h"

#include "base/Errors.h"

namespace fretlo {

const char* UndoKindName(int kind) {
    static const char* const names[UndoKindCount] = {
        "Changes to Space",
        "Paste",
        "Cut",
        "Clear",
        "Shift Left",
        "Shift Right",
        "Bar Line Change",
        "Recreate Bar Lines",
        "Alternate-Time Region",
        "Add Bars",
        "Remove Unused Bars",
        "Clear Track Effects",
    };
    Check(kind >= 0 && kind < UndoKindCount, "undo kind out of range");
    return names[kind];
}

void TUndoJournal::BeginGroup(uint8_t kind) {
    Check(!groupOpen_, "undo group already open");
    groupOpen_ = true;
    groupKind_ = kind;
    groupRecords_ = 0;
}

void TUndoJournal::EndGroup() {
    Check(groupOpen_, "no undo group open");
    if (groupRecords_ > 0 && !records_.empty()) records_.back().RecFlags |= RecLastOfGroup;
    groupOpen_ = false;
}

void TUndoJournal::DropOldestGroup() {
    TruncatedKind = records_.front().RecGroupKind;
    do {
        total_ -= records_.front().RecSize();
        records_.pop_front();
    } while (!records_.empty() && !(records_.front().RecFlags & RecFirstOfGroup));
}

void TUndoJournal::Append(TUndoRecord record, bool modified) {
    Check(groupOpen_, "undo record outside an open group");
    record.RecFlags = groupRecords_ == 0 ? RecFirstOfGroup : 0;
    record.RecGroupKind = groupKind_;
    if (records_.empty()) CleanAtBase = !modified;
    const size_t size = record.RecSize();
    while (total_ + size > UndoJournalLimit && !records_.empty()) {
        CleanAtBase = false;
        Truncated = true;
        DropOldestGroup();
    }
    total_ += size;
    records_.push_back(std::move(record));
    ++groupRecords_;
}

TUndoRecord TUndoJournal::TakeNewest() {
    Check(!records_.empty(), "undo journal is empty");
    TUndoRecord r = std::move(records_.back());
    records_.pop_back();
    total_ -= r.RecSize();
    return r;
}

void TUndoJournal::Clear() {
    records_.clear();
    total_ = 0;
    Truncated = false;
}

}  // namespace fretlo
