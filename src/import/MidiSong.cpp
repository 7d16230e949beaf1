#include "import/MidiSong.h"

#include <algorithm>
#include <array>
#include <map>

#include "import/MidiFileReader.h"

namespace fretlo {

namespace {

constexpr int MidiChannels = 16;
constexpr size_t MaxNameLength = 64;

// Names come in any 8-bit encoding; control characters would garble a listing.
std::string PrintableName(std::span<const uint8_t> data) {
    std::string name;
    for (const uint8_t c : data.first(std::min(data.size(), MaxNameLength)))
        name += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    return name;
}

// Collects the notes per (track, channel), the programs per channel and the song-wide maps.
class TSongCollector : public TMidiEventHandler {
public:
    explicit TSongCollector(TMidiSong& song) : song_(song) {}

    void TrackStart(int track) override {
        FlushTrack();
        track_ = track;
    }

    void ChannelEvent(int64_t tick, uint8_t status, uint8_t data1, uint8_t data2) override {
        const int channel = status & 0x0F;
        switch (status & 0xF0) {
        case 0x90:
            if (data2 > 0) notes_[channel].push_back({tick, data1});  // velocity 0 ends a note
            break;
        case 0xC0: programs_[{track_, channel}].push_back({tick, data1}); break;
        default: break;
        }
    }

    void MetaEvent(int64_t tick, uint8_t type, std::span<const uint8_t> data) override {
        switch (type) {
        case 0x03:
            if (!haveName_) name_ = PrintableName(data);
            haveName_ = true;
            break;
        case 0x51:
            if (data.size() >= 3) {
                const int micros = (data[0] << 16) | (data[1] << 8) | data[2];
                if (micros > 0) song_.Tempos.push_back({tick, micros});
            }
            break;
        case 0x58:
            if (data.size() >= 2 && data[0] > 0) song_.Meters.push_back({tick, data[0], data[1]});
            break;
        default: break;
        }
    }

    void Finish() {
        FlushTrack();
        for (TMidiPart& part : song_.Parts) part.Programs = ProgramsOf(part);
        const auto byTick = [](const auto& a, const auto& b) { return a.Tick < b.Tick; };
        std::stable_sort(song_.Tempos.begin(), song_.Tempos.end(), byTick);
        std::stable_sort(song_.Meters.begin(), song_.Meters.end(), byTick);
    }

private:
    void FlushTrack() {
        for (int channel = 0; channel < MidiChannels; ++channel) {
            auto& notes = notes_[channel];
            if (notes.empty()) continue;
            std::stable_sort(notes.begin(), notes.end(), [](const TMidiNote& a, const TMidiNote& b) {
                return a.Tick != b.Tick ? a.Tick < b.Tick : a.Key < b.Key;
            });
            song_.Parts.push_back({track_, channel, name_, std::move(notes), {}});
            notes.clear();
        }
        name_.clear();
        haveName_ = false;
    }

    // A part's own program changes; without any, those of its channel in other tracks (some
    // files set every channel up in the first track).
    std::vector<TMidiValueAt> ProgramsOf(const TMidiPart& part) const {
        if (const auto own = programs_.find({part.MidiTrack, part.Channel}); own != programs_.end())
            return own->second;
        std::vector<TMidiValueAt> elsewhere;
        for (const auto& [key, list] : programs_)
            if (key.second == part.Channel) elsewhere.insert(elsewhere.end(), list.begin(), list.end());
        std::stable_sort(elsewhere.begin(), elsewhere.end(),
                         [](const TMidiValueAt& a, const TMidiValueAt& b) { return a.Tick < b.Tick; });
        return elsewhere;
    }

    TMidiSong& song_;
    int track_ = 0;
    std::string name_;
    bool haveName_ = false;
    std::array<std::vector<TMidiNote>, MidiChannels> notes_;
    std::map<std::pair<int, int>, std::vector<TMidiValueAt>> programs_;
};

}  // namespace

int TMidiPart::LowestKey() const {
    int lo = 127;
    for (const TMidiNote& n : Notes) lo = std::min(lo, n.Key);
    return lo;
}

int TMidiPart::HighestKey() const {
    int hi = 0;
    for (const TMidiNote& n : Notes) hi = std::max(hi, n.Key);
    return hi;
}

TMidiSong ReadMidiSong(std::span<const uint8_t> file) {
    TMidiSong song;
    TSongCollector collector(song);
    const TMidiHeader header = ReadMidiFile(file, collector);
    collector.Finish();
    song.Format = header.Format;
    song.Division = header.Division;
    return song;
}

}  // namespace fretlo
