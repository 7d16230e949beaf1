#include "edit/Clipboard.h"

#include "base/ByteOrder.h"
#include "document/Limits.h"
#include "document/SpaceRecord.h"
#include "document/SpaceTiming.h"
#include "document/TrackProps.h"

namespace fretlo {

namespace {

constexpr size_t HeadSize = 16;
constexpr size_t PropEntrySize = 8;  // skip, kind, size (16 bits each) and a 16-bit value

void PutI32(std::vector<uint8_t>& out, int64_t v) {
    const size_t at = out.size();
    out.resize(at + 4);
    PutU32(out.data() + at, static_cast<uint32_t>(v));
}

// Reads forward through the bytes, refusing to pass their end.
class TReader {
public:
    explicit TReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Has(size_t n) const { return n <= bytes_.size() - pos_; }
    int32_t I32() {
        const int32_t v = GetI32(bytes_.data() + pos_);
        pos_ += 4;
        return v;
    }
    std::vector<uint8_t> Take(size_t n) {
        std::vector<uint8_t> out(bytes_.begin() + static_cast<ptrdiff_t>(pos_),
                                 bytes_.begin() + static_cast<ptrdiff_t>(pos_ + n));
        pos_ += n;
        return out;
    }
    bool AtEnd() const { return pos_ == bytes_.size(); }

private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
};

// Whole entries of valid kinds, each on a space of the run.
bool PropsValid(const std::vector<uint8_t>& props, int spaceCount) {
    if (props.size() % PropEntrySize) return false;
    int64_t space = 0;
    for (size_t pos = 0; pos < props.size(); pos += PropEntrySize) {
        space += GetU16(&props[pos]);
        if (space >= spaceCount || !IsValidProp(GetU16(&props[pos + 2]), GetU16(&props[pos + 4])))
            return false;
    }
    return true;
}

// Valid ratios whose spaces, an unfinished tuplet rounded up, last `length`.
bool TimingValid(const std::vector<uint8_t>& records, int spaceCount, int32_t length) {
    std::vector<TSpace> spaces(static_cast<size_t>(spaceCount), EmptySpace);
    for (int i = 0; i < spaceCount; ++i) {
        ReadSpaceRecord(records.data() + static_cast<size_t>(i) * SpaceRecordSize, spaces[i]);
        if (!IsValidRatio(spaces[i].RatioNum, spaces[i].RatioDen)) return false;
    }
    std::vector<int32_t> starts(static_cast<size_t>(spaceCount));
    const int32_t total = ComputeSpaceStarts(spaces.data(), spaceCount, UnitsPerSpace, starts.data());
    const int32_t rounded = (total + UnitsPerSpace - 1) / UnitsPerSpace * UnitsPerSpace;
    return rounded == length;
}

}  // namespace

int TClipTrack::SpaceCount() const { return static_cast<int>(Spaces.size() / SpaceRecordSize); }

std::vector<uint8_t> EncodeClipBlock(const TClipBlock& block) {
    std::vector<uint8_t> out;
    PutI32(out, 0);
    PutI32(out, SpaceRecordSize);
    PutI32(out, static_cast<int64_t>(block.Tracks.size()));
    PutI32(out, block.Length);
    for (const TClipTrack& t : block.Tracks) PutI32(out, t.SpaceCount());
    for (const TClipTrack& t : block.Tracks) {
        out.insert(out.end(), t.Spaces.begin(), t.Spaces.end());
        PutI32(out, static_cast<int64_t>(t.Props.size()));
        out.insert(out.end(), t.Props.begin(), t.Props.end());
    }
    return out;
}

std::optional<TClipBlock> DecodeClipBlock(const std::vector<uint8_t>& bytes) {
    TReader in(bytes);
    if (!in.Has(HeadSize)) return std::nullopt;
    in.I32();
    const int32_t recordSize = in.I32();
    const int32_t trackCount = in.I32();
    TClipBlock block;
    block.Length = in.I32();
    if (recordSize != SpaceRecordSize || trackCount < 1 || trackCount > MaxTracks || block.Length <= 0 ||
        block.Length % UnitsPerSpace)
        return std::nullopt;
    if (!in.Has(4 * static_cast<size_t>(trackCount))) return std::nullopt;
    std::vector<int32_t> counts(static_cast<size_t>(trackCount));
    for (int32_t& c : counts) {
        c = in.I32();
        if (c < 1 || c > MaxSpaces) return std::nullopt;
    }
    for (const int32_t count : counts) {
        TClipTrack track;
        const size_t spacesSize = static_cast<size_t>(count) * SpaceRecordSize;
        if (!in.Has(spacesSize + 4)) return std::nullopt;
        track.Spaces = in.Take(spacesSize);
        const int32_t propsSize = in.I32();
        if (propsSize < 0 || !in.Has(static_cast<size_t>(propsSize))) return std::nullopt;
        track.Props = in.Take(static_cast<size_t>(propsSize));
        if (!PropsValid(track.Props, count) || !TimingValid(track.Spaces, count, block.Length))
            return std::nullopt;
        block.Tracks.push_back(std::move(track));
    }
    if (!in.AtEnd()) return std::nullopt;
    return block;
}

}  // namespace fretlo
