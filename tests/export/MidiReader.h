// A strict reader of the Standard MIDI Files the exporter writes, for checking them in tests:
// every length, delta time and status byte is checked, running status is refused.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace fretlo::test {

struct TMidiEvent {
    uint32_t Tick;               // absolute, from the chunk's start
    std::vector<uint8_t> Bytes;  // status and data; meta events as FF, type, data

    bool IsNoteOn() const { return (Bytes[0] & 0xF0) == 0x90; }
    bool IsNoteOff() const { return (Bytes[0] & 0xF0) == 0x80; }
    bool IsMeta(uint8_t type) const { return Bytes[0] == 0xFF && Bytes[1] == type; }
};

struct TMidiChunk {
    std::vector<TMidiEvent> Events;
};

struct TMidiFile {
    int Format;
    int ChunkCount;  // as announced in the header
    int Division;
    std::vector<TMidiChunk> Tracks;
};

// The bytes from `Pos` up to `End`, never beyond.
struct TMidiCursor {
    const std::vector<uint8_t>* File;
    size_t Pos, End;

    uint8_t Byte() {
        if (Pos >= End) throw std::runtime_error("read past the end at " + std::to_string(Pos));
        return (*File)[Pos++];
    }
    uint32_t Big(int bytes) {
        uint32_t v = 0;
        while (bytes-- > 0) v = v << 8 | Byte();
        return v;
    }
    uint32_t VarLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = Byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        throw std::runtime_error("variable-length quantity longer than 4 bytes");
    }
    std::string Id() {
        std::string id;
        for (int i = 0; i < 4; ++i) id += static_cast<char>(Byte());
        return id;
    }
};

inline TMidiEvent ReadMidiEvent(TMidiCursor& c, uint32_t& tick) {
    tick += c.VarLen();
    TMidiEvent e{tick, {c.Byte()}};
    const uint8_t status = e.Bytes[0];
    if (status < 0x80) throw std::runtime_error("running status or stray data byte");
    if (status == 0xFF) {
        e.Bytes.push_back(c.Byte());
        for (uint32_t n = c.VarLen(); n > 0; --n) e.Bytes.push_back(c.Byte());
    } else if (status >= 0xF0) {
        throw std::runtime_error("unexpected system event");
    } else {
        // Program and channel pressure (Cx, Dx) carry one data byte, the others two.
        for (int i = (status & 0xE0) == 0xC0 ? 1 : 2; i > 0; --i) {
            e.Bytes.push_back(c.Byte());
            if (e.Bytes.back() >= 0x80) throw std::runtime_error("data byte with the high bit set");
        }
    }
    return e;
}

// Raises std::runtime_error naming the first fault found.
inline TMidiFile ReadMidi(const std::vector<uint8_t>& bytes) {
    TMidiCursor c{&bytes, 0, bytes.size()};
    if (c.Id() != "MThd" || c.Big(4) != 6) throw std::runtime_error("bad header chunk");
    TMidiFile f{static_cast<int>(c.Big(2)), static_cast<int>(c.Big(2)), static_cast<int>(c.Big(2)), {}};
    while (c.Pos < c.End) {
        if (c.Id() != "MTrk") throw std::runtime_error("track chunk id missing");
        const uint32_t length = c.Big(4);
        if (length > c.End - c.Pos) throw std::runtime_error("chunk runs past the end of the file");
        TMidiCursor body{&bytes, c.Pos, c.Pos + length};
        c.Pos = body.End;
        TMidiChunk& chunk = f.Tracks.emplace_back();
        for (uint32_t tick = 0; body.Pos < body.End;) {
            if (!chunk.Events.empty() && chunk.Events.back().IsMeta(0x2F))
                throw std::runtime_error("events after the end of the track");
            chunk.Events.push_back(ReadMidiEvent(body, tick));
        }
        if (chunk.Events.empty() || !chunk.Events.back().IsMeta(0x2F))
            throw std::runtime_error("track does not end with an end-of-track event");
    }
    if (static_cast<int>(f.Tracks.size()) != f.ChunkCount)
        throw std::runtime_error("chunk count differs from the header");
    return f;
}

// The note events of a chunk as "tick:on:key:velocity" / "tick:off:key".
inline std::vector<std::string> NoteList(const TMidiChunk& chunk) {
    std::vector<std::string> out;
    for (const TMidiEvent& e : chunk.Events) {
        const std::string at = std::to_string(e.Tick) + ":";
        if (e.IsNoteOn())
            out.push_back(at + "on:" + std::to_string(e.Bytes[1]) + ":" + std::to_string(e.Bytes[2]));
        else if (e.IsNoteOff())
            out.push_back(at + "off:" + std::to_string(e.Bytes[1]));
    }
    return out;
}

}  // namespace fretlo::test
