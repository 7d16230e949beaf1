// Where the song file reader takes body bytes from: the file's plain bytes or an inflating
// zlib stream. Both stop at their budget, so nothing is read past the file's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace fretlo {

class TByteSource {
public:
    virtual ~TByteSource() = default;

    // Up to `n` bytes; fewer only when the data has ended.
    virtual size_t ReadSome(uint8_t* out, size_t n) = 0;
    // Exactly `n` bytes, or the source's damage message.
    void Read(uint8_t* out, size_t n);

    uint8_t U8();
    int8_t I8() { return static_cast<int8_t>(U8()); }
    uint16_t U16();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    uint32_t U32();

    // Closes one part of the body: a zlib stream must hold nothing beyond what was read,
    // while plain bytes simply run on into the next part.
    virtual void EndPart() {}

protected:
    // Raised when the data ends before what the file announces.
    [[noreturn]] virtual void FailShort() const = 0;
};

// The uncompressed body: a bounds-checked cursor over the file's bytes.
class TPlainSource : public TByteSource {
public:
    explicit TPlainSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    size_t ReadSome(uint8_t* out, size_t n) override;

protected:
    [[noreturn]] void FailShort() const override;

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

} // namespace fretlo
