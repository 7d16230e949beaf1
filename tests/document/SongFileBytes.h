// Song files built byte by byte for the reader's tests, written from the file layout alone
// (not from the saver) so that the two cannot share a mistake.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace fretlo::test {

using TBytes = std::vector<uint8_t>;

inline void Add8(TBytes& b, int v) { b.push_back(static_cast<uint8_t>(v)); }
inline void Add16(TBytes& b, int v) {
    Add8(b, v);
    Add8(b, v >> 8);
}
inline void Add32(TBytes& b, uint32_t v) {
    Add16(b, static_cast<int>(v & 0xFFFF));
    Add16(b, static_cast<int>(v >> 16));
}
inline void Append(TBytes& b, const TBytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// A zlib stream at the default level (the saver uses 9; the reader must not care).
inline TBytes Deflate(const TBytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    TBytes out(size);
    compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    out.resize(size);
    return out;
}

// Run-length blocks with short entries only and at most 64 entries per block.
inline TBytes Runs(const TBytes& raw) {
    TBytes out;
    size_t i = 0;
    while (i < raw.size()) {
        TBytes entries;
        while (i < raw.size() && entries.size() < 128) {
            size_t j = i;
            while (j < raw.size() && raw[j] == raw[i] && j - i < 255) ++j;
            Add8(entries, static_cast<int>(j - i));
            Add8(entries, raw[i]);
            i = j;
        }
        Add16(out, static_cast<int>(entries.size() / 2));
        Append(out, entries);
    }
    return out;
}

// The per-track settings as an old file stores them.
struct TOldTrack {
    uint32_t SpaceCount = 8;  // written only from version 112
    int Strings = 6, InstrumentByte = 25, Legacy = 28, Volume = 100, Modulation = 0, PitchBend = 0,
        Transpose = 0, Bank = 0, Reverb = 0, Chorus = 0, Pan = 64, Highest = 24, Show = 0, Channel = -1,
        Top = 0, Bottom = 0, Variant = 0;
    int Tuning[8] = {};  // slot order
};

struct TOldTexts {
    std::string Title, Artist, Album, Transcriber, Comments;
};

// The track lists and texts in the layout of `version`.
inline TBytes OldPart1(int version, const std::vector<TOldTrack>& tracks, const TOldTexts* texts) {
    TBytes b;
    auto list = [&](int since, int bytes, int TOldTrack::*field) {
        if (version < since) return;
        for (const TOldTrack& t : tracks) bytes == 2 ? Add16(b, t.*field) : Add8(b, t.*field);
    };
    if (version >= 112)
        for (const TOldTrack& t : tracks) Add32(b, t.SpaceCount);
    list(0, 1, &TOldTrack::Strings);
    list(0, 1, &TOldTrack::InstrumentByte);
    list(0, 1, &TOldTrack::Legacy);
    list(0, 1, &TOldTrack::Volume);
    list(113, 1, &TOldTrack::Modulation);
    list(113, 2, &TOldTrack::PitchBend);
    list(109, 1, &TOldTrack::Transpose);
    list(109, 1, &TOldTrack::Bank);
    list(108, 1, &TOldTrack::Reverb);
    list(108, 1, &TOldTrack::Chorus);
    list(107, 1, &TOldTrack::Pan);
    list(107, 1, &TOldTrack::Highest);
    list(106, 1, &TOldTrack::Show);
    list(106, 1, &TOldTrack::Channel);
    list(0, 1, &TOldTrack::Top);
    list(0, 1, &TOldTrack::Bottom);
    for (const TOldTrack& t : tracks) {
        if (version >= 107)
            for (int s = 0; s < 8; ++s) Add8(b, t.Tuning[s]);
        else
            for (int s = 5; s >= 0; --s) Add8(b, t.Tuning[s]);
    }
    list(0, 1, &TOldTrack::Variant);
    if (!texts) return b;
    // From 109 the lengths take two bytes and the album and transcriber follow the artist.
    const bool wide = version >= 109;
    std::vector<const std::string*> order{&texts->Title, &texts->Artist};
    if (wide) order.insert(order.end(), {&texts->Album, &texts->Transcriber});
    order.push_back(&texts->Comments);
    for (const std::string* s : order) {
        wide ? Add16(b, static_cast<int>(s->size())) : Add8(b, static_cast<int>(s->size()));
        b.insert(b.end(), s->begin(), s->end());
    }
    return b;
}

// A whole file: header fields, then the two parts, compressed or not, with the checks from 104.
struct TOldFile {
    int Version = 110;
    bool Compressed = true;
    int TrackCount = 1;
    int Flags = 2;  // 1 when Part1 ends with texts; compression and ratio bits come from below
    bool Ratios = false;
    int Tempo8 = 120, Tempo16 = 0, BarCount = 0, SpaceCount111 = 0;
    std::string Required = "1.0";
    TBytes Part1{}, Part2{};

    TBytes Build() const {
        TBytes f(64, 0);
        std::memcpy(f.data(), "FRL", 3);
        f[3] = static_cast<uint8_t>(Version);
        f[4] = static_cast<uint8_t>(Tempo8);
        f[5] = static_cast<uint8_t>(TrackCount);
        f[6] = static_cast<uint8_t>(Required.size());
        std::memcpy(f.data() + 7, Required.data(), Required.size());
        f[11] = static_cast<uint8_t>(Flags | (Compressed ? 8 : 0) | (Ratios ? 16 : 0));
        for (auto [at, v] : {std::pair{40, BarCount}, {42, SpaceCount111}, {46, Tempo16}}) {
            f[static_cast<size_t>(at)] = static_cast<uint8_t>(v);
            f[static_cast<size_t>(at) + 1] = static_cast<uint8_t>(v >> 8);
        }
        const TBytes p1 = Compressed ? Deflate(Part1) : Part1;
        const auto size = static_cast<uint32_t>(p1.size());
        if (Compressed) std::memcpy(f.data() + 48, &size, 4);
        Append(f, p1);
        Append(f, Compressed ? Deflate(Part2) : Part2);
        if (Version >= 104) Seal(f);
        return f;
    }

    // Recomputes the body CRC, the size and the header CRC after a change.
    static void Seal(TBytes& f) {
        const auto crc = [&](size_t from, size_t n) {
            return static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), f.data() + from, static_cast<uInt>(n)));
        };
        const uint32_t body = crc(64, f.size() - 64);
        const auto size = static_cast<uint32_t>(f.size());
        std::memcpy(f.data() + 52, &body, 4);
        std::memcpy(f.data() + 56, &size, 4);
        const uint32_t head = crc(0, 60);
        std::memcpy(f.data() + 60, &head, 4);
    }
};

// A 20-byte note record (16 bytes with `old`, strings 5 down to 0).
inline TBytes NoteRecord(bool old, const std::vector<std::pair<int, int>>& notes, int letter = 0,
                         int value = 0, int top = 0, int bottom = 0,
                         const std::vector<std::pair<int, int>>& effects = {}) {
    TBytes r(old ? 16 : 20, 0);
    const int strings = old ? 6 : 8;
    auto at = [&](int slot) { return old ? 5 - slot : slot; };
    for (auto [slot, b] : notes) r[static_cast<size_t>(at(slot))] = static_cast<uint8_t>(b);
    for (auto [slot, b] : effects) r[static_cast<size_t>(strings + at(slot))] = static_cast<uint8_t>(b);
    size_t tail = r.size() - 4;
    for (int v : {letter, top, bottom, value}) r[tail++] = static_cast<uint8_t>(v);
    return r;
}

}  // namespace fretlo::test
