// The streamed form of the track effects of a run of spaces: 8-byte entries of
// skip, kind, size and data, shared by song files, undo records and the clipboard.
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/TabDoc.h"

namespace fretlo {

namespace {
constexpr size_t EntryHead = 6;
}

size_t TCustomTabDoc::CalcStreamedPropsSize(int track, int first, int count) const {
    const TTrackData& t = Track(track);
    size_t size = 0;
    for (int i = first; i < first + count; ++i) {
        for (const TPropNode* n = t.Space(i).Props; n; n = n->Next) {
            if (!IsValidProp(n->Kind, n->Size))
                throw EFretloError(Format("CalcStreamedPropsSize: Encountered invalid property data size "
                                          "on Tk=%d, Space=%d, Prop.Kind=%d",
                                          track, i, n->Kind));
            size += EntryHead + n->Size;
        }
    }
    return size;
}

void TCustomTabDoc::WriteStreamedProps(int track, int first, size_t expectedSize, uint8_t* buffer,
                                       int count) const {
    const TTrackData& t = Track(track);
    size_t pos = 0;
    uint32_t skip = 0;
    for (int i = first; i < first + count; ++i) {
        for (const TPropNode* n = t.Space(i).Props; n; n = n->Next) {
            if (pos + EntryHead + n->Size > expectedSize)
                throw EFretloError("WriteStreamedProps: Exceeded expected size");
            Check(skip <= 0xFFFF, "track-effect skip above 65535");
            PutU16(buffer + pos, static_cast<uint16_t>(skip));
            PutU16(buffer + pos + 2, n->Kind);
            PutU16(buffer + pos + 4, n->Size);
            for (uint16_t b = 0; b < n->Size; ++b) buffer[pos + EntryHead + b] = n->Data[b];
            pos += EntryHead + n->Size;
            skip = 0;
        }
        ++skip;
    }
    if (pos != expectedSize) throw EFretloError("WriteStreamedProps: Didn't reach expected size");
}

void TCustomTabDoc::RestoreStreamedProps(int track, int first, size_t size, const uint8_t* buffer,
                                         int count) {
    TTrackData& t = Track(track);
    Check(first >= 0 && count >= 0 && first + count <= t.SpaceCount(), "restored spaces out of range");
    size_t pos = 0;
    int64_t space = first;
    int64_t lastSpace = -1;
    while (size - pos >= EntryHead) {
        const uint16_t skip = GetU16(buffer + pos);
        const uint16_t kind = GetU16(buffer + pos + 2);
        const uint16_t dataSize = GetU16(buffer + pos + 4);
        space += skip;
        if (space >= first + count) return;  // entries beyond the run are ignored
        const int s = static_cast<int>(space);
        if (space != lastSpace) {
            Check(t.Space(s).Props == nullptr, "restored track effects onto a space that has some");
            lastSpace = space;
        }
        Check(dataSize <= size - pos - EntryHead, "track-effect entry runs past its block");
        if (!IsValidProp(kind, dataSize))
            throw EFretloError(Format("RestoreStreamedProps: Encountered invalid property data size "
                                      "on Tk=%d, Space=%d, Prop.Kind=%d",
                                      track, s, kind));
        AddPropNode(t.Space(s), kind, GetU16(buffer + pos + EntryHead));
        pos += EntryHead + dataSize;
    }
    Check(pos == size, "track-effect block ends inside an entry");
}

}  // namespace fretlo
