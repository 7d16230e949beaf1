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
// so the two parsers can be compared. midicsv numbers the chunks from 1, the header being 0.
inline std::vector<std::string> CsvEvents(const std::string& csv) {
    std::vector<std::string> out;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            f.push_back(field.substr(std::min(field.find_first_not_of(' '), field.size())));
        if (f.size() < 3) continue;
        const std::string at = std::to_string(std::stoul(f[0]) - 1) + ":" + f[1] + ":";
        if (f[2] == "Note_on_c" && f.size() == 6) out.push_back(at + "on:" + f[4] + "/" + f[5]);
        if (f[2] == "Note_off_c" && f.size() == 6) out.push_back(at + "off:" + f[4]);
        if (f[2] == "Tempo" && f.size() == 4) out.push_back(at + "tempo:" + f[3]);
        if (f[2] == "End_track") out.push_back(at + "end:");
    }
    return out;
}

inline std::vector<std::string> ReaderEvents(const TMidiFile& file) {
    std::vector<std::string> out;
    for (size_t c = 0; c < file.Tracks.size(); ++c)
        for (const TMidiEvent& e : file.Tracks[c].Events) {
            const auto& b = e.Bytes;
            const std::string at = std::to_string(c) + ":" + std::to_string(e.Tick) + ":";
            if (e.IsNoteOn())
                out.push_back(at + "on:" + std::to_string(b[1]) + "/" + std::to_string(b[2]));
            if (e.IsNoteOff()) out.push_back(at + "off:" + std::to_string(b[1]));
            if (e.IsMeta(0x51))
                out.push_back(at + "tempo:" + std::to_string(b[2] << 16 | b[3] << 8 | b[4]));
            if (e.IsMeta(0x2F)) out.push_back(at + "end:");
        }
    return out;
}

}  // namespace fretlo::test
