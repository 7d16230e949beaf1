// The two zlib streams of a compressed song file: inflating with an input budget, and
// deflating a whole part at level 9.
#pragma once

#include "document/ByteSource.h"

#include <cstdint>
#include <span>
#include <vector>
#include <zlib.h>

namespace fretlo {

// Inflates one complete zlib stream whose compressed bytes are `input` (the budget).
class TInflateSource : public TByteSource {
public:
    explicit TInflateSource(std::span<const uint8_t> input);
    ~TInflateSource() override;
    TInflateSource(const TInflateSource&) = delete;
    TInflateSource& operator=(const TInflateSource&) = delete;

    size_t ReadSome(uint8_t* out, size_t n) override;
    // The stream must hold no byte beyond what was read; input after its end is ignored.
    void EndPart() override;

protected:
    [[noreturn]] void FailShort() const override;

private:
    // Inflates straight into `out`; returns the bytes produced.
    size_t Inflate(uint8_t* out, size_t n);

    z_stream stream_{};
    bool ended_ = false;
    // Small reads (block heads, per-track bytes) are served from here, so that zlib always
    // gets room enough for its fast path.
    std::vector<uint8_t> buffer_;
    size_t bufferPos_ = 0, bufferEnd_ = 0;
};

// Appends `data` to `out` as one zlib stream at compression level 9.
void AppendDeflated(std::vector<uint8_t>& out, std::span<const uint8_t> data);

// The message of a zlib status: corrupt or truncated data, or any other failure.
[[noreturn]] void FailZlib(int status);

}  // namespace fretlo
