#include "export/MidiCsv.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fretlo::test {

namespace {

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string f;
    while (std::getline(in, f, ',')) {
        const size_t b = f.find_first_not_of(' ');
        fields.push_back(b == std::string::npos ? "" : f.substr(b));
    }
    return fields;
}

std::string Event(int chunk, uint32_t tick, const std::string& kind, const std::string& values) {
    return std::to_string(chunk) + ":" + std::to_string(tick) + ":" + kind + ":" + values;
}

}  // namespace

bool MidiCsvInstalled() { return std::system("command -v midicsv >/dev/null 2>&1") == 0; }

TCommandRun RunMidiCsv(const std::vector<uint8_t>& bytes) {
    const auto mid =
        std::filesystem::temp_directory_path() / ("fretlo-midicsv-" + std::to_string(::getpid()) + ".mid");
    std::ofstream(mid, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    TCommandRun run = RunCommand("midicsv " + ShellQuote(mid.string()));
    std::filesystem::remove(mid);
    return run;
}

std::vector<std::string> CsvEvents(const std::string& csv) {
    std::vector<std::string> out;
    std::istringstream in(csv);
    std::string line;
    while (std::getline(in, line)) {
        const auto f = SplitFields(line);
        if (f.size() < 3) continue;
        // midicsv numbers the chunks from 1, the header being 0.
        const int chunk = std::stoi(f[0]) - 1;
        const auto tick = static_cast<uint32_t>(std::stoul(f[1]));
        if (f[2] == "Note_on_c" && f.size() == 6)
            out.push_back(Event(chunk, tick, "on", f[4] + "/" + f[5]));
        else if (f[2] == "Note_off_c" && f.size() == 6)
            out.push_back(Event(chunk, tick, "off", f[4]));
        else if (f[2] == "Tempo" && f.size() == 4)
            out.push_back(Event(chunk, tick, "tempo", f[3]));
        else if (f[2] == "End_track")
            out.push_back(Event(chunk, tick, "end", ""));
    }
    return out;
}

std::vector<std::string> ReaderEvents(const TMidiFile& file) {
    std::vector<std::string> out;
    for (size_t c = 0; c < file.Tracks.size(); ++c) {
        const int chunk = static_cast<int>(c);
        for (const TMidiEvent& e : file.Tracks[c].Events) {
            const auto& b = e.Bytes;
            if (e.IsNoteOn())
                out.push_back(Event(chunk, e.Tick, "on", std::to_string(b[1]) + "/" + std::to_string(b[2])));
            else if (e.IsNoteOff())
                out.push_back(Event(chunk, e.Tick, "off", std::to_string(b[1])));
            else if (e.IsMeta(0x51))
                out.push_back(Event(chunk, e.Tick, "tempo", std::to_string(b[2] << 16 | b[3] << 8 | b[4])));
            else if (e.IsMeta(0x2F))
                out.push_back(Event(chunk, e.Tick, "end", ""));
        }
    }
    return out;
}

}  // namespace fretlo::test
