#include "document/ZlibStreams.h"

#include "base/Errors.h"
#include "document/SongMessages.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace fretlo {

void FailZlib(int status) {
    if (status == Z_DATA_ERROR || status == Z_BUF_ERROR) throw EFretloError(MsgZlibCorrupted);
    throw EFretloError(Format(MsgZlibInternal, status));
}

TInflateSource::TInflateSource(std::span<const uint8_t> input) {
    const int status = inflateInit(&stream_);
    if (status != Z_OK) FailZlib(status);
    // zlib never writes through next_in; the cast only satisfies its pre-const interface.
    stream_.next_in = const_cast<Bytef*>(input.data());
    stream_.avail_in = static_cast<uInt>(input.size());
}

TInflateSource::~TInflateSource() { inflateEnd(&stream_); }

namespace {
constexpr size_t InflateBuffer = 65536;
}

size_t TInflateSource::ReadSome(uint8_t* out, size_t n) {
    size_t done = 0;
    while (done < n) {
        if (bufferPos_ < bufferEnd_) {
            const size_t count = std::min(n - done, bufferEnd_ - bufferPos_);
            std::memcpy(out + done, buffer_.data() + bufferPos_, count);
            bufferPos_ += count;
            done += count;
        } else if (ended_) {
            break;
        } else if (n - done >= InflateBuffer) {
            done += Inflate(out + done, n - done);
        } else {
            buffer_.resize(InflateBuffer);
            bufferEnd_ = Inflate(buffer_.data(), InflateBuffer);
            bufferPos_ = 0;
        }
    }
    return done;
}

size_t TInflateSource::Inflate(uint8_t* out, size_t n) {
    size_t done = 0;
    while (done < n && !ended_) {
        const size_t want = std::min<size_t>(n - done, std::numeric_limits<uInt>::max());
        stream_.next_out = out + done;
        stream_.avail_out = static_cast<uInt>(want);
        const int status = inflate(&stream_, Z_NO_FLUSH);
        done += want - stream_.avail_out;
        // With room for output, Z_BUF_ERROR means the input ran out: a cut-off stream.
        if (status == Z_STREAM_END)
            ended_ = true;
        else if (status != Z_OK)
            FailZlib(status);
    }
    return done;
}

void TInflateSource::EndPart() {
    uint8_t extra;
    if (ReadSome(&extra, 1) != 0) throw EFretloError(MsgZlibCorrupted);
}

void TInflateSource::FailShort() const { throw EFretloError(MsgZlibCorrupted); }

void AppendDeflated(std::vector<uint8_t>& out, std::span<const uint8_t> data) {
    const size_t start = out.size();
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    out.resize(start + size);
    const int status = compress2(out.data() + start, &size, data.data(), static_cast<uLong>(data.size()), 9);
    if (status != Z_OK) FailZlib(status);
    out.resize(start + size);
}

}  // namespace fretlo
