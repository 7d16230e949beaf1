#include "document/RunLength.h"

#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/SongMessages.h"

#include <algorithm>
#include <cstring>

namespace fretlo {

namespace {

// Short entries [count][value] hold runs up to 255; longer ones are [0][count u16][value].
constexpr size_t ShortRun = 255;
constexpr size_t ShortFill = 8;

class TBlockWriter {
public:
    explicit TBlockWriter(std::vector<uint8_t>& out) : out_(out) {}

    void AddRun(size_t count, uint8_t value) {
        const size_t entry = count <= ShortRun ? 2 : 4;
        if (used_ + entry > RunBlockBytes) Close();
        if (!open_) {
            head_ = out_.size();
            out_.resize(head_ + 2);
            open_ = true;
        }
        if (entry == 2) {
            out_.push_back(static_cast<uint8_t>(count));
        } else {
            out_.push_back(0);
            out_.push_back(static_cast<uint8_t>(count));
            out_.push_back(static_cast<uint8_t>(count >> 8));
        }
        out_.push_back(value);
        used_ += entry;
    }

    void Close() {
        if (!open_) return;
        PutU16(out_.data() + head_, static_cast<uint16_t>(used_ / 2));
        open_ = false;
        used_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    size_t head_ = 0;
    size_t used_ = 0;
    bool open_ = false;
};

}  // namespace

void AppendRunLength(std::vector<uint8_t>& out, std::span<const uint8_t> data) {
    TBlockWriter blocks(out);
    const uint8_t* p = data.data();
    const uint8_t* const end = p + data.size();
    while (p < end) {
        const uint8_t value = *p;
        const uint8_t* const limit = p + std::min<size_t>(MaxRun, static_cast<size_t>(end - p));
        const uint8_t* q = p + 1;
        while (q < limit && *q == value) ++q;
        blocks.AddRun(static_cast<size_t>(q - p), value);
        p = q;
    }
    blocks.Close();
}

void ReadRunLength(TByteSource& in, std::span<uint8_t> out) {
    uint8_t block[RunBlockBytes];
    size_t done = 0;
    while (done < out.size()) {
        const size_t bytes = 2 * size_t{in.U16()};
        if (bytes > RunBlockBytes) throw EFretloError(MsgDataCorrupted);
        in.Read(block, bytes);
        for (size_t p = 0; p < bytes;) {
            size_t count = block[p];
            uint8_t value = block[p + 1];
            p += 2;
            if (count == 0) {
                if (p + 2 > bytes) throw EFretloError(MsgDataCorrupted);
                count = GetU16(block + p - 1);
                value = block[p + 1];
                p += 2;
            }
            if (count > out.size() - done) throw EFretloError(MsgDataCorrupted);
            // Dense arrays are mostly runs of one: a call per byte would cost more than the copy.
            uint8_t* run = out.data() + done;
            if (count <= ShortFill)
                for (size_t k = 0; k < count; ++k) run[k] = value;
            else
                std::memset(run, value, count);
            done += count;
        }
    }
}

}  // namespace fretlo
