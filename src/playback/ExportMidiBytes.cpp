#include "playback/ExportMidiBytes.h"

#include "base/Errors.h"

#include <algorithm>

namespace fretlo {

void TMidiBytes::Append(std::initializer_list<uint8_t> bytes) {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
}

void TMidiBytes::Append(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    data_.insert(data_.end(), p, p + size);
}

void TMidiBytes::U16(uint16_t v) {
    Append({uint8_t(v >> 8), uint8_t(v)});
}

void TMidiBytes::U24(uint32_t v) {
    Append({uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

void TMidiBytes::U32(uint32_t v) {
    Append({uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

void TMidiBytes::VarLen(uint32_t v) {
    Check(v <= MaxMidiDelta, "MIDI delta time beyond four bytes");
    uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (n > 1)
        data_.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
    data_.push_back(groups[0]);
}

void TMidiBytes::Tempo(int beatsPerMinute) {
    // Tempos below 4 would not fit the 24 bits; they only come from damaged songs.
    const uint32_t micros = 60000000u / static_cast<uint32_t>(std::max(beatsPerMinute, 1));
    Append({0xFF, 0x51, 0x03});
    U24(std::min(micros, 0xFFFFFFu));
}

size_t TMidiBytes::BeginChunk(const char id[4]) {
    Append(id, 4);
    const size_t at = data_.size();
    U32(0);
    return at;
}

void TMidiBytes::EndChunk(size_t lengthAt) {
    const size_t length = data_.size() - lengthAt - 4;
    Check(length <= 0xFFFFFFFFu, "MIDI chunk too long");
    for (int i = 0; i < 4; ++i)
        data_[lengthAt + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
}

} // namespace fretlo
