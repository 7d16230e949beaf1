// TMidiBytes: a Standard MIDI File taking shape in memory, with big-endian numbers,
// variable-length delta times and chunks whose length is patched when they close.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace fretlo {

// The largest delta time a variable-length quantity of four bytes can carry.
inline constexpr uint32_t MaxMidiDelta = 0x0FFFFFFF;

class TMidiBytes {
public:
    void Append(std::initializer_list<uint8_t> bytes);
    void Append(const void* data, size_t size);
    void U16(uint16_t v);
    void U32(uint32_t v);
    void U24(uint32_t v);
    // 1 to 4 bytes, 7 bits each, high bit set on all but the last.
    void VarLen(uint32_t v);
    // The tempo meta event after its delta: FF 51 03 and the microseconds per quarter note.
    void Tempo(int beatsPerMinute);

    // Writes the chunk id and a zero length; returns where the length stands.
    size_t BeginChunk(const char id[4]);
    // Patches the length of the chunk begun at `lengthAt` to the bytes written since.
    void EndChunk(size_t lengthAt);

    const std::vector<uint8_t>& Data() const { return data_; }
    std::vector<uint8_t> Take() { return std::move(data_); }

private:
    std::vector<uint8_t> data_;
};

} // namespace fretlo
