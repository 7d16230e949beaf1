// Reading a song file's body: part 1 and part 2 from plain bytes or two zlib streams.
#include "document/BarCodes.h"
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/SongFile.h"
#include "document/SongMessages.h"
#include "document/SongNotes.h"
#include "document/SongTrackLists.h"
#include "document/TabDoc.h"
#include "document/ZlibStreams.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>

namespace fretlo {

namespace {

constexpr int CodedSpaceCountVersion = 111;
constexpr int OldSpaceCount = 4000;
// The one version whose compressed streams hold the arrays without the run-length layer.
constexpr int PlainArraysVersion = 109;

enum TBarFlag : uint8_t { bfStaffBreak = 1, bfRepeatStart = 2, bfRepeatEnd = 4 };

int CheckedSpaceCount(uint32_t count) {
    if (count < 1 || count > MaxSpaces) throw EFretloError(MsgCorrupted);
    return static_cast<int>(count);
}

void CreateTracks(TByteSource& part1, const TSongHeader& header, TCustomTabDoc& doc) {
    std::vector<int> counts(static_cast<size_t>(header.TrackCount));
    for (int& count : counts) {
        if (header.Version >= FirstBarRecordVersion)
            count = CheckedSpaceCount(part1.U32());
        else if (header.Version == CodedSpaceCountVersion)
            count = CheckedSpaceCount(static_cast<uint32_t>(header.SpaceCount111));
        else
            count = OldSpaceCount;
    }
    for (const int count : counts) doc.AddTrack(std::make_unique<TTrackData>(false, count));
}

void ReadBarRecords(TByteSource& in, int barCount, TCustomTabDoc& doc) {
    int64_t start = 0;
    for (int b = 0; b < barCount; ++b) {
        const uint32_t length = in.U32();
        const uint8_t flags = in.U8();
        const uint8_t repeatCount = in.U8();
        const int64_t end = start + int64_t{length} * UnitsPerSpace;
        // Song times are 32-bit; a longer bar list cannot be a real song.
        if (length < 1 || end > std::numeric_limits<int32_t>::max()) throw EFretloError(MsgCorrupted);
        const int index =
            doc.CreateBar(static_cast<int32_t>(start), static_cast<int32_t>(end - start), false);
        TBar& bar = doc.Bar(index);
        bar.StaffBreak = (flags & bfStaffBreak) != 0;
        bar.RepeatStart = (flags & bfRepeatStart) != 0;
        bar.RepeatEnd = (flags & bfRepeatEnd) != 0;
        bar.RepeatCount = bar.RepeatEnd ? repeatCount : 0;
        start = end;
    }
}

void ReadBarCodes(TByteSource& in, TArrayReader& arrays, TCustomTabDoc& doc) {
    DecodeBarCodes(doc, arrays.Next(in, static_cast<size_t>(doc.Track(0).SpaceCount())));
}

// The entries' sizes must frame the block exactly up to the last entry that lands on a
// space of the track; RestoreStreamedProps treats a break there as a program error, but in a
// file it is damage.
void CheckEffectFraming(std::span<const uint8_t> block, int spaceCount) {
    constexpr size_t Head = 6;
    size_t pos = 0;
    int64_t space = 0;
    while (block.size() - pos >= Head) {
        space += GetU16(block.data() + pos);
        if (space >= spaceCount) return;
        const size_t size = GetU16(block.data() + pos + 4);
        if (size > block.size() - pos - Head) throw EFretloError(MsgCorrupted);
        pos += Head + size;
    }
    if (pos != block.size()) throw EFretloError(MsgCorrupted);
}

void ReadEffectBlocks(TByteSource& in, TCustomTabDoc& doc) {
    constexpr size_t Piece = 65536;
    for (int t = 0; t < doc.TrackCount(); ++t) {
        const uint32_t size = in.U32();
        // Grown piece by piece, so a damaged count cannot claim more memory than the data holds.
        std::vector<uint8_t> block;
        while (block.size() < size) {
            const size_t done = block.size();
            block.resize(done + std::min<size_t>(Piece, size - done));
            in.Read(block.data() + done, block.size() - done);
        }
        CheckEffectFraming(block, doc.Track(t).SpaceCount());
        doc.RestoreStreamedProps(t, 0, block.size(), block.data(), doc.Track(t).SpaceCount());
    }
}

void ReadPart2(TByteSource& in, const TSongHeader& header, TCustomTabDoc& doc) {
    TArrayReader arrays(header.Version, !(header.Has(sfCompressed) && header.Version == PlainArraysVersion));
    if (header.Version >= FirstBarRecordVersion)
        ReadBarRecords(in, header.BarCount, doc);
    else
        ReadBarCodes(in, arrays, doc);
    for (int t = 0; t < doc.TrackCount(); ++t) ReadNoteRecords(in, arrays, doc.Track(t));
    if (header.Has(sfRatios))
        for (int t = 0; t < doc.TrackCount(); ++t) ReadRatios(in, arrays, doc.Track(t));
    if (header.Version >= FirstEffectBlockVersion) ReadEffectBlocks(in, doc);
}

void ReadParts(TByteSource& part1, TByteSource& part2, const TSongHeader& header, TCustomTabDoc& doc) {
    CreateTracks(part1, header, doc);
    const int tempo = header.Tempo();
    // A tempo of 0 would stop the song's clock; no saved song has one.
    if (tempo < 1) throw EFretloError(MsgCorrupted);
    doc.Tempo = tempo;
    ReadTrackLists(part1, header.Version, header.Has(sfTexts), doc);
    part1.EndPart();
    ReadPart2(part2, header, doc);
    part2.EndPart();
}

}  // namespace

void ReadSongBody(TCustomTabDoc& doc, const TSongHeader& header, std::span<const uint8_t> file) {
    const std::span<const uint8_t> body = file.subspan(SongHeaderSize);
    if (!header.Has(sfCompressed)) {
        TPlainSource plain(body);
        ReadParts(plain, plain, header, doc);
        return;
    }
    // Budgets as the header gives them, but never past the bytes that are really there.
    const size_t part1Size = std::min<size_t>(header.Part1Size, body.size());
    TInflateSource part1(body.first(part1Size));
    TInflateSource part2(body.subspan(part1Size));
    ReadParts(part1, part2, header, doc);
}

}  // namespace fretlo
