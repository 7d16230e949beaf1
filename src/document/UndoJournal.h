// The undo journal: records grouped into steps, kept within a byte budget.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace fretlo {

// What a user command's step is called ("&Undo " + name).
enum TUndoKind : uint8_t {
    ukChangesToSpace,
    ukPaste,
    ukCut,
    ukClear,
    ukShiftLeft,
    ukShiftRight,
    ukBarLineChange,
    ukRecreateBarLines,
    ukAltTimeRegion,
    ukAddBars,
    ukRemoveUnusedBars,
    ukClearTrackEffects,
};
inline constexpr int UndoKindCount = 12;
const char* UndoKindName(int kind);

// What a record restores.
enum TUndoType : uint8_t {
    utSpaces = 0,        // track, first, count; spaces then their serialised track effects
    utRemoveSpaces = 1,  // track, index, count
    utInsertSpaces = 2,  // track, index, count
    utSpaceCount = 3,    // track, old count
    utShiftBars = 4,     // bar, delta
    utDeletedBar = 5,    // start, end; flags
    utCreatedBar = 6,    // start, split flag
    utBarFlags = 7,      // bar; flags and count
};

inline constexpr uint8_t RecFirstOfGroup = 1;
inline constexpr uint8_t RecLastOfGroup = 2;
inline constexpr size_t UndoRecordHeadSize = 40;
inline constexpr size_t UndoJournalLimit = 1'000'000;

struct TUndoRecord {
    uint8_t RecFlags = 0;
    uint8_t RecGroupKind = 0;
    uint8_t RecType = 0;
    int32_t RecArg1 = 0, RecArg2 = 0, RecArg3 = 0;
    int32_t ViewTrack = 0, ViewSpace = 0, ViewString = 0;  // the editor cursor at the change
    std::vector<uint8_t> Block1;
    std::vector<uint8_t> Block2;

    size_t RecSize() const { return UndoRecordHeadSize + Block1.size() + Block2.size(); }
};

// The record chain and its state bytes. The document wraps it with its hooks.
class TUndoJournal {
public:
    bool Empty() const { return records_.empty(); }
    size_t TotalBytes() const { return total_; }
    size_t RecordCount() const { return records_.size(); }
    const TUndoRecord& Newest() const { return records_.back(); }
    const TUndoRecord& Record(size_t i) const { return records_[i]; }  // 0 = oldest

    bool GroupOpen() const { return groupOpen_; }
    uint8_t GroupKind() const { return groupKind_; }
    int GroupRecords() const { return groupRecords_; }
    void BeginGroup(uint8_t kind);
    void EndGroup();
    // Closes the open group without marking its end, after an edit failed part-way:
    // undo then refuses that unfinished step instead of replaying half of it.
    void AbandonGroup() noexcept { groupOpen_ = false; }

    // Appends a finished record (flags and kind are set here), dropping whole oldest
    // groups while the journal would exceed the limit. `modified` is the document's flag.
    void Append(TUndoRecord record, bool modified);
    // Takes the newest record out for replay.
    TUndoRecord TakeNewest();
    void Clear();

    bool CleanAtBase = false;   // undoing everything returns to the saved state
    bool Truncated = false;     // older history was dropped
    uint8_t TruncatedKind = 0;  // kind of the last dropped group

private:
    void DropOldestGroup();

    std::deque<TUndoRecord> records_;
    size_t total_ = 0;
    bool groupOpen_ = false;
    uint8_t groupKind_ = 0;
    int groupRecords_ = 0;
};

}  // namespace fretlo
