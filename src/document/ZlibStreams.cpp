#include "document/ZlibStreams.h"

#include "document/Errors.h"
#include "document/SongMessages.h"

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

TInflateSource::~TInflateSource() {
    inflateEnd(&stream_);
}

size_t TInflateSource::ReadSome(uint8_t* out, size_t n) {
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

void TInflateSource::FailShort() const {
    throw EFretloError(MsgZlibCorrupted);
}

void AppendDeflated(std::vector<uint8_t>& out, std::span<const uint8_t> data) {
    const size_t start = out.size();
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    out.resize(start + size);
    const int status =
        compress2(out.data() + start, &size, data.data(), static_cast<uLong>(data.size()), 9);
    if (status != Z_OK) FailZlib(status);
    out.resize(start + size);
}

} // namespace fretlo
