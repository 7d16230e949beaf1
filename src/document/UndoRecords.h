// The layout of each undo record type: what its arguments and data blocks hold. Every
// type is written by its Encode function and read by its Decode function and nowhere
// else, so a layout changes in this file pair alone. A Decode function refuses a record
// of another type or with blocks of the wrong size with EInternalError.
#pragma once

#include <cstdint>
#include <span>

#include "document/Space.h"
#include "document/UndoJournal.h"

namespace fretlo {

class TCustomTabDoc;

// utSpaces: spaces of a track as they were before they are overwritten.
struct TSpacesRecord {
    int32_t Track = 0, First = 0, Count = 0;
    std::span<const uint8_t> Spaces;  // Count space records (SpaceRecord.h)
    std::span<const uint8_t> Props;   // the serialised track effects of those spaces

    // Fills `space` from the i-th recorded space, all but its track-effect list.
    void ReadSpace(int i, TSpace& space) const;
};
// Records `count` spaces of `track` from `first` with their track effects, as they are now.
TUndoRecord EncodeSpaces(const TCustomTabDoc& doc, int track, int first, int count);
TSpacesRecord DecodeSpaces(const TUndoRecord& record);

// utRemoveSpaces: Count spaces at Index go and as many empty ones appear at the track's end.
// utInsertSpaces: Count empty spaces move from the track's end to Index.
struct TMovedSpacesRecord {
    int32_t Track = 0, Index = 0, Count = 0;
    bool operator==(const TMovedSpacesRecord&) const = default;
};
TUndoRecord EncodeRemoveSpaces(const TMovedSpacesRecord& moved);
TMovedSpacesRecord DecodeRemoveSpaces(const TUndoRecord& record);
TUndoRecord EncodeInsertSpaces(const TMovedSpacesRecord& moved);
TMovedSpacesRecord DecodeInsertSpaces(const TUndoRecord& record);

// utSpaceCount: a track's space count before it changes.
struct TSpaceCountRecord {
    int32_t Track = 0, OldCount = 0;
    bool operator==(const TSpaceCountRecord&) const = default;
};
TUndoRecord EncodeSpaceCount(const TSpaceCountRecord& count);
TSpaceCountRecord DecodeSpaceCount(const TUndoRecord& record);

// utShiftBars: the bar lines from Bar on move by Delta time units.
struct TShiftBarsRecord {
    int32_t Bar = 0, Delta = 0;
    bool operator==(const TShiftBarsRecord&) const = default;
};
TUndoRecord EncodeShiftBars(const TShiftBarsRecord& shift);
TShiftBarsRecord DecodeShiftBars(const TUndoRecord& record);

// utDeletedBar: a bar line that is removed. RepeatEnd and RepeatCount are the repeat close
// that comes back: the bar's own, or with Merge its predecessor's before the merge.
struct TDeletedBarRecord {
    int32_t Start = 0, End = 0;
    bool Merge = false;
    uint8_t RepeatEnd = 0;
    int32_t RepeatCount = 0;
    uint8_t StaffBreak = 0, RepeatStart = 0;
    bool operator==(const TDeletedBarRecord&) const = default;
};
TUndoRecord EncodeDeletedBar(const TDeletedBarRecord& bar);
TDeletedBarRecord DecodeDeletedBar(const TUndoRecord& record);

// utCreatedBar: a bar line that is created at Start, Split when it divides a longer bar.
struct TCreatedBarRecord {
    int32_t Start = 0;
    bool Split = false;
    bool operator==(const TCreatedBarRecord&) const = default;
};
TUndoRecord EncodeCreatedBar(const TCreatedBarRecord& bar);
TCreatedBarRecord DecodeCreatedBar(const TUndoRecord& record);

// utBarFlags: a bar's flags and repeat count before they change.
struct TBarFlagsRecord {
    int32_t Bar = 0;
    uint8_t StaffBreak = 0, RepeatStart = 0, RepeatEnd = 0;
    int32_t RepeatCount = 0;
    bool operator==(const TBarFlagsRecord&) const = default;
};
TUndoRecord EncodeBarFlags(const TBarFlagsRecord& flags);
TBarFlagsRecord DecodeBarFlags(const TUndoRecord& record);

}  // namespace fretlo
