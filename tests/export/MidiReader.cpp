#include "export/MidiReader.h"

#include <cstring>
#include <stdexcept>

namespace fretlo::test {

namespace {

class TCursor {
public:
    TCursor(const uint8_t* p, size_t n) : p_(p), n_(n) {}
    bool AtEnd() const { return pos_ == n_; }
    size_t Pos() const { return pos_; }
    uint8_t Byte() {
        Need(1);
        return p_[pos_++];
    }
    uint32_t Big(int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v = v << 8 | Byte();
        return v;
    }
    uint32_t VarLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = Byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        throw std::runtime_error("variable-length quantity longer than 4 bytes");
    }
    std::string Id() {
        Need(4);
        std::string id(reinterpret_cast<const char*>(p_ + pos_), 4);
        pos_ += 4;
        return id;
    }
    void Need(size_t k) const {
        if (n_ - pos_ < k) throw std::runtime_error("read past the end at " + std::to_string(pos_));
    }

private:
    const uint8_t* p_;
    size_t n_;
    size_t pos_ = 0;
};

size_t DataBytesOf(uint8_t status) {
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0: return 1;
    default: return 2;
    }
}

TMidiEvent ReadEvent(TCursor& c, uint32_t& tick) {
    TMidiEvent e;
    e.Delta = c.VarLen();
    tick += e.Delta;
    e.Tick = tick;
    const uint8_t status = c.Byte();
    if (status < 0x80) throw std::runtime_error("running status or stray data byte");
    e.Bytes.push_back(status);
    if (status == 0xFF) {
        e.Bytes.push_back(c.Byte());
        const uint32_t len = c.VarLen();
        for (uint32_t i = 0; i < len; ++i) e.Bytes.push_back(c.Byte());
    } else if (status >= 0xF0) {
        throw std::runtime_error("unexpected system event");
    } else {
        for (size_t i = 0; i < DataBytesOf(status); ++i) {
            const uint8_t d = c.Byte();
            if (d >= 0x80) throw std::runtime_error("data byte with the high bit set");
            e.Bytes.push_back(d);
        }
    }
    return e;
}

TMidiChunk ReadTrack(TCursor& file, const uint8_t* base) {
    if (file.Id() != "MTrk") throw std::runtime_error("track chunk id missing");
    TMidiChunk chunk;
    chunk.Length = file.Big(4);
    file.Need(chunk.Length);
    const uint8_t* body = base + file.Pos();
    chunk.Body.assign(body, body + chunk.Length);
    for (uint32_t i = 0; i < chunk.Length; ++i) file.Byte();
    TCursor c(body, chunk.Length);
    uint32_t tick = 0;
    while (!c.AtEnd()) {
        if (!chunk.Events.empty() && chunk.Events.back().IsMeta(0x2F))
            throw std::runtime_error("events after the end of the track");
        chunk.Events.push_back(ReadEvent(c, tick));
    }
    if (chunk.Events.empty() || !chunk.Events.back().IsMeta(0x2F))
        throw std::runtime_error("track does not end with an end-of-track event");
    return chunk;
}

}  // namespace

TMidiFile ReadMidi(const std::vector<uint8_t>& bytes) {
    TCursor c(bytes.data(), bytes.size());
    if (c.Id() != "MThd" || c.Big(4) != 6) throw std::runtime_error("bad header chunk");
    TMidiFile f;
    f.Format = static_cast<int>(c.Big(2));
    f.ChunkCount = static_cast<int>(c.Big(2));
    f.Division = static_cast<int>(c.Big(2));
    while (!c.AtEnd()) f.Tracks.push_back(ReadTrack(c, bytes.data()));
    if (static_cast<int>(f.Tracks.size()) != f.ChunkCount)
        throw std::runtime_error("chunk count differs from the header");
    return f;
}

std::vector<std::string> NoteList(const TMidiChunk& chunk) {
    std::vector<std::string> out;
    for (const TMidiEvent& e : chunk.Events) {
        const std::string at = std::to_string(e.Tick) + ":";
        if (e.IsNoteOn())
            out.push_back(at + "on:" + std::to_string(e.Bytes[1]) + ":" + std::to_string(e.Bytes[2]));
        else if (e.IsNoteOff())
            out.push_back(at + "off:" + std::to_string(e.Bytes[1]));
    }
    return out;
}

}  // namespace fretlo::test
