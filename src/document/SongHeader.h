// The 64-byte header of a song file, its checks and its CRC-32 fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fretlo {

inline constexpr size_t SongHeaderSize = 64;
inline constexpr int MinSongVersion = 101;
inline constexpr int MaxSongVersion = 114;
// Versions where the layout changes.
inline constexpr int FirstCheckedVersion = 104;      // CRC and file-size checks in the header
inline constexpr int FirstWideRecordVersion = 107;   // 20-byte note records, 8-slot tunings
inline constexpr int FirstBarRecordVersion = 112;    // bar records and per-track space counts
inline constexpr int FirstEffectBlockVersion = 113;  // track-effect blocks instead of letters
// Tempo byte of the header; larger tempos live in the 16-bit field only.
inline constexpr int MaxTempo8 = 250;

// Bits of the header's flags byte.
enum TSongFlag : uint8_t {
    sfTexts = 1,       // part 1 ends with the song texts
    sfAlwaysSet = 2,   // written, not interpreted
    sfCompressed = 8,  // the two parts are zlib streams
    sfRatios = 16,     // part 2 holds the time-ratio arrays
};

struct TSongHeader {
    int Version = 0;
    int Tempo8 = 0;
    int TrackCount = 0;
    std::string RequiredVersion;  // at most 4 characters
    uint8_t Flags = 0;
    int BarCount = 0;
    int SpaceCount111 = 0;
    int LastUsed111 = 0;
    int Tempo16 = 0;
    uint32_t Part1Size = 0;

    bool Has(TSongFlag flag) const { return (Flags & flag) != 0; }
    int Tempo() const { return Tempo16 != 0 ? Tempo16 : Tempo8; }
};

// Reads and checks the header of a whole file in memory: magic, version, the CRC and size
// checks, track and bar counts. Raises the fixed messages; touches no document.
TSongHeader ReadSongHeader(std::span<const uint8_t> file);

// Fills the first 64 bytes of a complete file (body already in place), computing the body
// CRC, the file size and the header CRC.
void WriteSongHeader(const TSongHeader& header, std::vector<uint8_t>& file);

}  // namespace fretlo
