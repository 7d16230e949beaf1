// The document's side of the undo journal: records stamped by the hooks, spaces saved whole.
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/SpaceRecord.h"
#include "document/TabDoc.h"

namespace fretlo {

void TCustomTabDoc::AddUndoRecord(TUndoType type, int32_t arg1, int32_t arg2, int32_t arg3,
                                  std::vector<uint8_t> block1, std::vector<uint8_t> block2) {
    Check(journal_.GroupOpen(), "undo record outside an open group");
    TUndoRecord record;
    record.RecType = type;
    record.RecArg1 = arg1;
    record.RecArg2 = arg2;
    record.RecArg3 = arg3;
    InitUndoRecord(record);
    record.Block1 = std::move(block1);
    record.Block2 = std::move(block2);
    journal_.Append(std::move(record), Modified);
    UndoChanged();
    Modified = true;
}

void TCustomTabDoc::SaveSpaces(int track, int first, int count) {
    TTrackData& t = Track(track);
    Check(first >= 0 && count >= 0 && first + count <= t.SpaceCount(), "saved spaces out of range");
    std::vector<uint8_t> spaces(static_cast<size_t>(count) * SpaceRecordSize);
    for (int i = 0; i < count; ++i)
        WriteSpaceRecord(t.Space(first + i), spaces.data() + static_cast<size_t>(i) * SpaceRecordSize);
    const size_t propsSize = CalcStreamedPropsSize(track, first, count);
    std::vector<uint8_t> props(4 + propsSize);
    PutU32(props.data(), static_cast<uint32_t>(propsSize));
    WriteStreamedProps(track, first, propsSize, props.data() + 4, count);
    AddUndoRecord(utSpaces, track, first, count, std::move(spaces), std::move(props));
}

void TCustomTabDoc::ClearJournal() {
    journal_.Clear();
    UndoChanged();
}

}  // namespace fretlo
