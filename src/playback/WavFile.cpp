#include "playback/WavFile.h"

#include <cstring>

#include "base/ByteOrder.h"

namespace fretlo {

std::vector<uint8_t> WavBytes(const std::vector<int16_t>& samples, int sampleRate, int channels) {
    constexpr size_t HeaderSize = 44;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> bytes(HeaderSize + dataSize);
    uint8_t* p = bytes.data();
    const auto text = [&p](const char* four) {
        std::memcpy(p, four, 4);
        p += 4;
    };
    const auto u32 = [&p](uint32_t v) {
        PutU32(p, v);
        p += 4;
    };
    const auto u16 = [&p](uint16_t v) {
        PutU16(p, v);
        p += 2;
    };
    text("RIFF");
    u32(static_cast<uint32_t>(HeaderSize - 8 + dataSize));
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);  // PCM
    u16(static_cast<uint16_t>(channels));
    u32(static_cast<uint32_t>(sampleRate));
    u32(static_cast<uint32_t>(sampleRate * channels * 2));
    u16(static_cast<uint16_t>(channels * 2));
    u16(16);
    text("data");
    u32(dataSize);
    for (int16_t s : samples) u16(static_cast<uint16_t>(s));
    return bytes;
}

}  // namespace fretlo
