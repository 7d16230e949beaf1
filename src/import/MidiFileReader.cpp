#include "import/MidiFileReader.h"

#include <cstring>

#include "base/Errors.h"

namespace fretlo {

namespace {

constexpr size_t ChunkHeaderSize = 8;
constexpr size_t MinHeaderLength = 6;
constexpr int MaxVarLenBytes = 4;

// A bounds-checked cursor over one track chunk's events; `base` is the chunk's offset in the
// file, so that messages can say where the damage is.
class TTrackCursor {
public:
    TTrackCursor(std::span<const uint8_t> events, size_t base, int track)
        : bytes_(events), base_(base), track_(track) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    size_t Offset() const { return base_ + pos_; }

    uint8_t U8() {
        if (AtEnd()) Fail("ends inside an event");
        return bytes_[pos_++];
    }
    uint8_t Data() {
        const uint8_t b = U8();
        if (b & 0x80) Fail(Format("has a data byte of %u at byte %zu", b, Offset() - 1));
        return b;
    }
    uint32_t VarLen() {
        uint32_t v = 0;
        for (int i = 0; i < MaxVarLenBytes; ++i) {
            const uint8_t b = U8();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        Fail(Format("has a number longer than four bytes at byte %zu", Offset() - MaxVarLenBytes));
    }
    std::span<const uint8_t> Take(uint32_t n) {
        if (n > bytes_.size() - pos_)
            Fail(Format("has an event of %u bytes at byte %zu that runs past the track's end", n, Offset()));
        const auto out = bytes_.subspan(pos_, n);
        pos_ += n;
        return out;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw EFretloError(Format("The MIDI file is damaged: track %d %s.", track_ + 1, what.c_str()));
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    const size_t base_;
    const int track_;
};

uint32_t BigEndian(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

// The data bytes that follow each kind of channel status (program and channel pressure: one).
int DataBytes(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

void ReadEvents(TTrackCursor& in, int track, TMidiEventHandler& handler) {
    handler.TrackStart(track);
    int64_t tick = 0;
    uint8_t running = 0;  // kept across meta and system-exclusive events, as many writers assume
    while (!in.AtEnd()) {
        tick += in.VarLen();
        const size_t at = in.Offset();
        const uint8_t first = in.U8();
        if (first == 0xFF) {
            const uint8_t type = in.Data();
            const auto data = in.Take(in.VarLen());
            handler.MetaEvent(tick, type, data);
            if (type == 0x2F) return;  // end of track: anything after it is not music
        } else if (first == 0xF0 || first == 0xF7) {
            in.Take(in.VarLen());
        } else if (first >= 0xF0) {
            in.Fail(Format("has an event of unknown kind 0x%02X at byte %zu", first, at));
        } else {
            uint8_t status = first;
            uint8_t data1;
            if (first & 0x80) {
                running = status;
                data1 = in.Data();
            } else if (running) {
                status = running;
                data1 = first;
            } else {
                in.Fail(Format("has a data byte without a status byte at byte %zu", at));
            }
            const uint8_t data2 = DataBytes(status) == 2 ? in.Data() : 0;
            handler.ChannelEvent(tick, status, data1, data2);
        }
    }
}

TMidiHeader ReadHeader(std::span<const uint8_t> file) {
    if (file.empty()) throw EFretloError("The file is empty; it is not a MIDI file.");
    if (file.size() < 4 || std::memcmp(file.data(), "MThd", 4) != 0)
        throw EFretloError("The file is not a Standard MIDI File: it does not begin with \"MThd\".");
    if (file.size() < ChunkHeaderSize + MinHeaderLength)
        throw EFretloError("The MIDI file is truncated: its header chunk is cut short.");
    const uint32_t length = BigEndian(file.data() + 4, 4);
    if (length < MinHeaderLength)
        throw EFretloError(
            Format("The MIDI file is damaged: its header chunk is %u bytes long, not 6.", length));
    if (length > file.size() - ChunkHeaderSize)
        throw EFretloError("The MIDI file is truncated: its header chunk is cut short.");
    const uint8_t* p = file.data() + ChunkHeaderSize;
    TMidiHeader h{static_cast<int>(BigEndian(p, 2)), static_cast<int>(BigEndian(p + 2, 2)),
                  static_cast<int>(BigEndian(p + 4, 2))};
    if (h.Format == 2)
        throw EFretloError(
            "The MIDI file is of format 2 (independent patterns); only formats 0 and 1 can be imported.");
    if (h.Format > 2)
        throw EFretloError(Format("The MIDI file is of format %d, which is unknown.", h.Format));
    if (h.Division & 0x8000)
        throw EFretloError("The MIDI file counts time in SMPTE frames; only files timed in ticks per quarter "
                           "note can be imported.");
    if (h.Division == 0)
        throw EFretloError("The MIDI file is damaged: its division is 0 ticks per quarter note.");
    if (h.TrackCount == 0) throw EFretloError("The MIDI file has no tracks.");
    return h;
}

}  // namespace

TMidiHeader ReadMidiFile(std::span<const uint8_t> file, TMidiEventHandler& handler) {
    const TMidiHeader header = ReadHeader(file);
    size_t pos = ChunkHeaderSize + BigEndian(file.data() + 4, 4);
    int track = 0;
    while (track < header.TrackCount) {
        if (file.size() - pos < ChunkHeaderSize)
            throw EFretloError(Format("The MIDI file is truncated: it ends before track %d of %d.", track + 1,
                                      header.TrackCount));
        const uint32_t length = BigEndian(file.data() + pos + 4, 4);
        if (length > file.size() - pos - ChunkHeaderSize)
            throw EFretloError(
                Format("The MIDI file is truncated: the chunk at byte %zu claims %u bytes, but only "
                       "%zu remain.",
                       pos, length, file.size() - pos - ChunkHeaderSize));
        const bool isTrack = std::memcmp(file.data() + pos, "MTrk", 4) == 0;
        if (isTrack) {
            TTrackCursor in(file.subspan(pos + ChunkHeaderSize, length), pos + ChunkHeaderSize, track);
            ReadEvents(in, track, handler);
            ++track;
        }
        pos += ChunkHeaderSize + length;
    }
    return header;
}

}  // namespace fretlo
