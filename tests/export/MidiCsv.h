// The midicsv program as an outside parser of the exported files.
#pragma once

#include <sstream>

#include "ScratchDir.h"
#include "export/MidiReader.h"
#include "export/RunCommand.h"
#include "platform/SafeFile.h"

namespace fretlo::test {

inline bool MidiCsvInstalled() { return RunCommand("command -v midicsv").Status == 0; }

// Runs midicsv on the bytes; its output is the CSV text.
inline TCommandRun RunMidiCsv(const std::vector<uint8_t>& bytes) {
    const TScratchDir dir;
    WriteFileAtomically(dir.File("in.mid"), bytes);
    return RunCommand("midicsv " + ShellQuote(dir.File("in.mid")));
}

// Note and tempo events as "chunk:tick:kind:values", from midicsv's output and from our reader,
// so the two parsers can be compared.
inline std::string MidiEventText(size_t chunk, uint32_t tick, const std::string& kind,
                                 const std::string& values) {
    return std::to_string(chunk) + ":" + std::to_string(tick) + ":" + kind + ":" + values;
}

inline std::vector<std::string> CsvEvents(const std::string& csv) {
    std::vector<std::string> out;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            f.push_back(field.substr(std::min(field.find_first_not_of(' '), field.size())));
        if (f.size() < 3) continue;
        // midicsv numbers the chunks from 1, the header being 0.
        const size_t chunk = std::stoul(f[0]) - 1;
        const auto tick = static_cast<uint32_t>(std::stoul(f[1]));
        if (f[2] == "Note_on_c" && f.size() == 6)
            out.push_back(MidiEventText(chunk, tick, "on", f[4] + "/" + f[5]));
        else if (f[2] == "Note_off_c" && f.size() == 6)
            out.push_back(MidiEventText(chunk, tick, "off", f[4]));
        else if (f[2] == "Tempo" && f.size() == 4)
            out.push_back(MidiEventText(chunk, tick, "tempo", f[3]));
        else if (f[2] == "End_track")
            out.push_back(MidiEventText(chunk, tick, "end", ""));
    }
    return out;
}

inline std::vector<std::string> ReaderEvents(const TMidiFile& file) {
    std::vector<std::string> out;
    for (size_t c = 0; c < file.Tracks.size(); ++c)
        for (const TMidiEvent& e : file.Tracks[c].Events) {
            const auto& b = e.Bytes;
            if (e.IsNoteOn())
                out.push_back(
                    MidiEventText(c, e.Tick, "on", std::to_string(b[1]) + "/" + std::to_string(b[2])));
            else if (e.IsNoteOff())
                out.push_back(MidiEventText(c, e.Tick, "off", std::to_string(b[1])));
            else if (e.IsMeta(0x51))
                out.push_back(
                    MidiEventText(c, e.Tick, "tempo", std::to_string(b[2] << 16 | b[3] << 8 | b[4])));
            else if (e.IsMeta(0x2F))
                out.push_back(MidiEventText(c, e.Tick, "end", ""));
        }
    return out;
}

}  // namespace fretlo::test
