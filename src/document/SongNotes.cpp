#include "document/SongNotes.h"

#include "base/Errors.h"
#include "document/RunLength.h"
#include "document/SongHeader.h"
#include "document/SongMessages.h"
#include "document/TrackData.h"
#include "document/TrackProps.h"

#include <cstring>

namespace fretlo {

namespace {

constexpr size_t RecordSize = 20;
constexpr size_t OldRecordSize = 16;
constexpr int OldStrings = 6;

// Bytes 16-19: letter, top text, bottom text, letter value.
void ReadTail(const uint8_t* tail, bool lettersCount, TSpace& space) {
    space.TopText = tail[1];
    space.BottomText = tail[2];
    if (lettersCount && !DecodeLegacyProp(space, tail[0], tail[3])) throw EFretloError(MsgCorrupted);
}

}  // namespace

std::span<const uint8_t> TArrayReader::Next(TByteSource& in, size_t size) {
    if (buffer_.size() < size) buffer_.resize(size);
    const std::span<uint8_t> out(buffer_.data(), size);
    if (RunLength)
        ReadRunLength(in, out);
    else
        in.Read(out.data(), size);
    return out;
}

void ReadNoteRecords(TByteSource& in, TArrayReader& arrays, TTrackData& track) {
    const bool wide = arrays.Version >= FirstWideRecordVersion;
    const bool lettersCount = arrays.Version < FirstEffectBlockVersion;
    const size_t size = wide ? RecordSize : OldRecordSize;
    const auto count = static_cast<size_t>(track.SpaceCount());
    const std::span<const uint8_t> records = arrays.Next(in, count * size);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* r = records.data() + i * size;
        TSpace& space = track.Space(static_cast<int>(i));
        if (wide) {
            std::memcpy(space.Notes, r, StringSlots);
            std::memcpy(space.Effects, r + StringSlots, StringSlots);
        } else {
            for (int s = 0; s < OldStrings; ++s) {
                space.Notes[s] = r[OldStrings - 1 - s];
                space.Effects[s] = r[2 * OldStrings - 1 - s];
            }
        }
        ReadTail(r + size - 4, lettersCount, space);
    }
}

void AppendNoteRecords(std::vector<uint8_t>& out, int version, const TTrackData& track) {
    const auto count = static_cast<size_t>(track.SpaceCount());
    std::vector<uint8_t> records(count * RecordSize);
    for (size_t i = 0; i < count; ++i) {
        uint8_t* r = records.data() + i * RecordSize;
        const TSpace& space = track.Space(static_cast<int>(i));
        std::memcpy(r, space.Notes, StringSlots);
        std::memcpy(r + StringSlots, space.Effects, StringSlots);
        r[17] = space.TopText;
        r[18] = space.BottomText;
        if (version < FirstEffectBlockVersion) {
            const auto letter = EncodeLegacyProp(space);
            Check(letter.has_value(), "track effects without a letter in a lettered version");
            r[16] = letter->Letter;
            r[19] = letter->Value;
        }
    }
    AppendRunLength(out, records);
}

void ReadRatios(TByteSource& in, TArrayReader& arrays, TTrackData& track) {
    const auto count = static_cast<size_t>(track.SpaceCount());
    const std::span<const uint8_t> pairs = arrays.Next(in, 2 * count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t num = pairs[2 * i], den = pairs[2 * i + 1];
        if (!IsValidRatio(num, den)) throw EFretloError(MsgCorrupted);
        TSpace& space = track.Space(static_cast<int>(i));
        space.RatioNum = num;
        space.RatioDen = den;
    }
    track.InvalidateTimes();
}

void AppendRatios(std::vector<uint8_t>& out, const TTrackData& track) {
    const auto count = static_cast<size_t>(track.SpaceCount());
    std::vector<uint8_t> pairs(2 * count);
    for (size_t i = 0; i < count; ++i) {
        const TSpace& space = track.Space(static_cast<int>(i));
        pairs[2 * i] = space.RatioNum;
        pairs[2 * i + 1] = space.RatioDen;
    }
    AppendRunLength(out, pairs);
}

}  // namespace fretlo
