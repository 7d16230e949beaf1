// The bytes of a RIFF WAVE file of 16-bit PCM samples.
#pragma once

#include <cstdint>
#include <vector>

namespace fretlo {

// `samples` are interleaved, `channels` per frame.
std::vector<uint8_t> WavBytes(const std::vector<int16_t>& samples, int sampleRate, int channels);

}  // namespace fretlo
