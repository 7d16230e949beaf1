#include "document/SongHeader.h"

#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/Limits.h"
#include "document/SongMessages.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace fretlo {

namespace {

// Field offsets.
constexpr size_t OffVersion = 3, OffTempo8 = 4, OffTrackCount = 5, OffRequired = 6, OffFlags = 11,
                 OffBarCount = 40, OffSpaceCount111 = 42, OffLastUsed111 = 44, OffTempo16 = 46,
                 OffPart1Size = 48, OffBodyCrc = 52, OffFileSize = 56, OffHeaderCrc = 60;
constexpr size_t MaxRequiredLength = 4;

uint32_t Crc32(std::span<const uint8_t> bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes the length as uInt; a song file stays far below that.
    crc = crc32(crc, bytes.data(), static_cast<uInt>(bytes.size()));
    return static_cast<uint32_t>(crc);
}

void CheckIntegrity(std::span<const uint8_t> file) {
    const uint8_t* h = file.data();
    if (GetU32(h + OffHeaderCrc) != Crc32(file.first(OffHeaderCrc)) ||
        GetU32(h + OffFileSize) != file.size() ||
        GetU32(h + OffBodyCrc) != Crc32(file.subspan(SongHeaderSize)))
        throw EFretloError(MsgCorrupted);
}

}  // namespace

TSongHeader ReadSongHeader(std::span<const uint8_t> file) {
    if (file.size() < SongHeaderSize || std::memcmp(file.data(), "FRL", 3) != 0)
        throw EFretloError(MsgNotSongFile);
    const uint8_t* h = file.data();
    TSongHeader header;
    header.Version = h[OffVersion];
    const size_t requiredLength = std::min<size_t>(h[OffRequired], MaxRequiredLength);
    header.RequiredVersion.assign(reinterpret_cast<const char*>(h + OffRequired + 1), requiredLength);
    if (header.Version < MinSongVersion || header.Version > MaxSongVersion)
        throw EFretloError(Format(MsgLaterVersion, header.RequiredVersion.c_str()));
    if (header.Version >= FirstCheckedVersion) CheckIntegrity(file);

    header.Tempo8 = h[OffTempo8];
    header.TrackCount = h[OffTrackCount];
    header.Flags = h[OffFlags];
    header.BarCount = GetU16(h + OffBarCount);
    header.SpaceCount111 = GetU16(h + OffSpaceCount111);
    header.LastUsed111 = GetU16(h + OffLastUsed111);
    header.Tempo16 = GetU16(h + OffTempo16);
    header.Part1Size = GetU32(h + OffPart1Size);
    if (header.TrackCount < 1 || header.TrackCount > MaxTracks) throw EFretloError(MsgTooManyTracks);
    if (header.Version >= FirstBarRecordVersion && (header.BarCount < 1 || header.BarCount > MaxBars))
        throw EFretloError(MsgTooManyBars);
    return header;
}

void WriteSongHeader(const TSongHeader& header, std::vector<uint8_t>& file) {
    Check(file.size() >= SongHeaderSize, "song file shorter than its header");
    Check(header.RequiredVersion.size() <= MaxRequiredLength, "required version text too long");
    uint8_t* h = file.data();
    std::memset(h, 0, SongHeaderSize);
    std::memcpy(h, "FRL", 3);
    h[OffVersion] = static_cast<uint8_t>(header.Version);
    h[OffTempo8] = static_cast<uint8_t>(header.Tempo8);
    h[OffTrackCount] = static_cast<uint8_t>(header.TrackCount);
    h[OffRequired] = static_cast<uint8_t>(header.RequiredVersion.size());
    std::memcpy(h + OffRequired + 1, header.RequiredVersion.data(), header.RequiredVersion.size());
    h[OffFlags] = header.Flags;
    PutU16(h + OffBarCount, static_cast<uint16_t>(header.BarCount));
    PutU16(h + OffSpaceCount111, static_cast<uint16_t>(header.SpaceCount111));
    PutU16(h + OffLastUsed111, static_cast<uint16_t>(header.LastUsed111));
    PutU16(h + OffTempo16, static_cast<uint16_t>(header.Tempo16));
    PutU32(h + OffPart1Size, header.Part1Size);
    const std::span<const uint8_t> all(file);
    PutU32(h + OffBodyCrc, Crc32(all.subspan(SongHeaderSize)));
    PutU32(h + OffFileSize, static_cast<uint32_t>(file.size()));
    PutU32(h + OffHeaderCrc, Crc32(all.first(OffHeaderCrc)));
}

}  // namespace fretlo
