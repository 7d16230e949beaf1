#include "document/UndoRecords.h"

#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/SpaceRecord.h"
#include "document/TabDoc.h"

namespace fretlo {

namespace {

// utDeletedBar block 1: merge, repeat close, repeat count (i32), staff break, repeat open.
constexpr size_t DeletedBarSize = 8;
// utBarFlags block 1: staff break, repeat open, repeat close, repeat count (i32).
constexpr size_t BarFlagsSize = 7;

TUndoRecord Record(TUndoType type, int32_t arg1, int32_t arg2 = 0, int32_t arg3 = 0) {
    TUndoRecord r;
    r.RecType = type;
    r.RecArg1 = arg1;
    r.RecArg2 = arg2;
    r.RecArg3 = arg3;
    return r;
}

// The record, once it is known to be of `type` with a block 1 of `block1Size` bytes and
// no block 2.
const TUndoRecord& Checked(const TUndoRecord& r, TUndoType type, size_t block1Size = 0) {
    Check(r.RecType == type, "undo record of another type");
    Check(r.Block1.size() == block1Size && r.Block2.empty(), "undo record data damaged");
    return r;
}

TUndoRecord EncodeMovedSpaces(TUndoType type, const TMovedSpacesRecord& m) {
    return Record(type, m.Track, m.Index, m.Count);
}

TMovedSpacesRecord DecodeMovedSpaces(const TUndoRecord& record, TUndoType type) {
    const TUndoRecord& r = Checked(record, type);
    return {r.RecArg1, r.RecArg2, r.RecArg3};
}

}  // namespace

void TSpacesRecord::ReadSpace(int i, TSpace& space) const {
    ReadSpaceRecord(Spaces.data() + static_cast<size_t>(i) * SpaceRecordSize, space);
}

// Block 1: the space records; block 2: u32 length of the serialised track effects, then them.
TUndoRecord EncodeSpaces(const TCustomTabDoc& doc, int track, int first, int count) {
    const TTrackData& t = doc.Track(track);
    Check(first >= 0 && count >= 0 && first + count <= t.SpaceCount(), "saved spaces out of range");
    TUndoRecord r = Record(utSpaces, track, first, count);
    r.Block1.resize(static_cast<size_t>(count) * SpaceRecordSize);
    for (int i = 0; i < count; ++i)
        WriteSpaceRecord(t.Space(first + i), r.Block1.data() + static_cast<size_t>(i) * SpaceRecordSize);
    const size_t propsSize = doc.CalcStreamedPropsSize(track, first, count);
    r.Block2.resize(4 + propsSize);
    PutU32(r.Block2.data(), static_cast<uint32_t>(propsSize));
    doc.WriteStreamedProps(track, first, propsSize, r.Block2.data() + 4, count);
    return r;
}

TSpacesRecord DecodeSpaces(const TUndoRecord& r) {
    Check(r.RecType == utSpaces, "undo record of another type");
    Check(r.RecArg3 >= 0 && r.Block1.size() == static_cast<size_t>(r.RecArg3) * SpaceRecordSize &&
              r.Block2.size() >= 4 && GetU32(r.Block2.data()) == r.Block2.size() - 4,
          "undo record space data damaged");
    return {r.RecArg1, r.RecArg2, r.RecArg3, r.Block1, std::span(r.Block2).subspan(4)};
}

TUndoRecord EncodeRemoveSpaces(const TMovedSpacesRecord& m) { return EncodeMovedSpaces(utRemoveSpaces, m); }
TMovedSpacesRecord DecodeRemoveSpaces(const TUndoRecord& r) { return DecodeMovedSpaces(r, utRemoveSpaces); }
TUndoRecord EncodeInsertSpaces(const TMovedSpacesRecord& m) { return EncodeMovedSpaces(utInsertSpaces, m); }
TMovedSpacesRecord DecodeInsertSpaces(const TUndoRecord& r) { return DecodeMovedSpaces(r, utInsertSpaces); }

TUndoRecord EncodeSpaceCount(const TSpaceCountRecord& c) { return Record(utSpaceCount, c.Track, c.OldCount); }

TSpaceCountRecord DecodeSpaceCount(const TUndoRecord& record) {
    const TUndoRecord& r = Checked(record, utSpaceCount);
    return {r.RecArg1, r.RecArg2};
}

TUndoRecord EncodeShiftBars(const TShiftBarsRecord& s) { return Record(utShiftBars, s.Bar, s.Delta); }

TShiftBarsRecord DecodeShiftBars(const TUndoRecord& record) {
    const TUndoRecord& r = Checked(record, utShiftBars);
    return {r.RecArg1, r.RecArg2};
}

TUndoRecord EncodeDeletedBar(const TDeletedBarRecord& bar) {
    TUndoRecord r = Record(utDeletedBar, bar.Start, bar.End);
    r.Block1.resize(DeletedBarSize);
    r.Block1[0] = bar.Merge ? 1 : 0;
    r.Block1[1] = bar.RepeatEnd;
    PutU32(&r.Block1[2], static_cast<uint32_t>(bar.RepeatCount));
    r.Block1[6] = bar.StaffBreak;
    r.Block1[7] = bar.RepeatStart;
    return r;
}

TDeletedBarRecord DecodeDeletedBar(const TUndoRecord& record) {
    const TUndoRecord& r = Checked(record, utDeletedBar, DeletedBarSize);
    const uint8_t* b = r.Block1.data();
    return {r.RecArg1, r.RecArg2, b[0] != 0, b[1], GetI32(b + 2), b[6], b[7]};
}

TUndoRecord EncodeCreatedBar(const TCreatedBarRecord& bar) {
    return Record(utCreatedBar, bar.Start, bar.Split ? 1 : 0);
}

TCreatedBarRecord DecodeCreatedBar(const TUndoRecord& record) {
    const TUndoRecord& r = Checked(record, utCreatedBar);
    return {r.RecArg1, r.RecArg2 != 0};
}

TUndoRecord EncodeBarFlags(const TBarFlagsRecord& flags) {
    TUndoRecord r = Record(utBarFlags, flags.Bar);
    r.Block1.resize(BarFlagsSize);
    r.Block1[0] = flags.StaffBreak;
    r.Block1[1] = flags.RepeatStart;
    r.Block1[2] = flags.RepeatEnd;
    PutU32(&r.Block1[3], static_cast<uint32_t>(flags.RepeatCount));
    return r;
}

TBarFlagsRecord DecodeBarFlags(const TUndoRecord& record) {
    const TUndoRecord& r = Checked(record, utBarFlags, BarFlagsSize);
    const uint8_t* b = r.Block1.data();
    return {r.RecArg1, b[0], b[1], b[2], GetI32(b + 3)};
}

}  // namespace fretlo
