// A strict reader of the Standard MIDI Files the exporter writes, for checking them in tests:
// every length, delta time and status byte is checked, running status is refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fretlo::test {

struct TMidiEvent {
    uint32_t Tick;               // absolute, from the chunk's start
    uint32_t Delta;              // as written
    std::vector<uint8_t> Bytes;  // status and data; meta events as FF, type, data

    uint8_t Status() const { return Bytes[0]; }
    bool IsNoteOn() const { return (Bytes[0] & 0xF0) == 0x90; }
    bool IsNoteOff() const { return (Bytes[0] & 0xF0) == 0x80; }
    bool IsMeta(uint8_t type) const { return Bytes[0] == 0xFF && Bytes[1] == type; }
};

struct TMidiChunk {
    uint32_t Length;  // as written in the chunk header
    std::vector<TMidiEvent> Events;
    std::vector<uint8_t> Body;  // the bytes after the length field
};

struct TMidiFile {
    int Format;
    int ChunkCount;  // as announced in the header
    int Division;
    std::vector<TMidiChunk> Tracks;
};

// Raises std::runtime_error naming the first fault found.
TMidiFile ReadMidi(const std::vector<uint8_t>& bytes);

// The note events of a chunk as "tick:on:key:velocity" / "tick:off:key".
std::vector<std::string> NoteList(const TMidiChunk& chunk);

}  // namespace fretlo::test
