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

// Raises std::runtime_error naming the first fault found.
inline TMidiFile ReadMidi(const std::vector<uint8_t>& bytes) {
    size_t pos = 0, end = bytes.size();  // `end` is the current chunk's while one is read
    const auto byte = [&] {
        if (pos >= end) throw std::runtime_error("read past the end at " + std::to_string(pos));
        return bytes[pos++];
    };
    const auto big = [&](int count) {
        uint32_t v = 0;
        while (count-- > 0) v = v << 8 | byte();
        return v;
    };
    const auto varLen = [&] {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        throw std::runtime_error("variable-length quantity longer than 4 bytes");
    };
    // "MThd" and its length
    if (big(4) != 0x4D546864 || big(4) != 6) throw std::runtime_error("bad header chunk");
    TMidiFile f{static_cast<int>(big(2)), static_cast<int>(big(2)), static_cast<int>(big(2)), {}};
    while (pos < bytes.size()) {
        if (big(4) != 0x4D54726B) throw std::runtime_error("track chunk id missing");  // "MTrk"
        const uint32_t length = big(4);
        if (length > end - pos) throw std::runtime_error("chunk runs past the end of the file");
        end = pos + length;
        std::vector<TMidiEvent>& events = f.Tracks.emplace_back().Events;
        for (uint32_t tick = 0; pos < end;) {
            if (!events.empty() && events.back().IsMeta(0x2F))
                throw std::runtime_error("events after the end of the track");
            tick += varLen();
            TMidiEvent& e = events.emplace_back(TMidiEvent{tick, {byte()}});
            const uint8_t status = e.Bytes[0];
            if (status < 0x80) throw std::runtime_error("running status or stray data byte");
            if (status == 0xFF) {
                e.Bytes.push_back(byte());
                for (uint32_t n = varLen(); n > 0; --n) e.Bytes.push_back(byte());
            } else if (status >= 0xF0) {
                throw std::runtime_error("unexpected system event");
            } else {
                // Program and channel pressure (Cx, Dx) carry one data byte, the others two.
                for (int i = (status & 0xE0) == 0xC0 ? 1 : 2; i > 0; --i)
                    if (e.Bytes.emplace_back(byte()) >= 0x80)
                        throw std::runtime_error("data byte with the high bit set");
            }
        }
        if (events.empty() || !events.back().IsMeta(0x2F))
            throw std::runtime_error("track does not end with an end-of-track event");
        end = bytes.size();
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
