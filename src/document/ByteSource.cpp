#include "document/ByteSource.h"

#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/SongMessages.h"

#include <algorithm>
#include <cstring>

namespace fretlo {

void TByteSource::Read(uint8_t* out, size_t n) {
    if (ReadSome(out, n) != n) FailShort();
}

uint8_t TByteSource::U8() {
    uint8_t b;
    Read(&b, 1);
    return b;
}

uint16_t TByteSource::U16() {
    uint8_t b[2];
    Read(b, 2);
    return GetU16(b);
}

uint32_t TByteSource::U32() {
    uint8_t b[4];
    Read(b, 4);
    return GetU32(b);
}

size_t TPlainSource::ReadSome(uint8_t* out, size_t n) {
    const size_t count = std::min(n, bytes_.size() - pos_);
    if (count) std::memcpy(out, bytes_.data() + pos_, count);
    pos_ += count;
    return count;
}

void TPlainSource::FailShort() const {
    throw EFretloError(MsgCorrupted);
}

} // namespace fretlo
