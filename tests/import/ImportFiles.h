// MIDI files for the importer's tests: byte by byte for the reader, through csvmidi (the way
// a sequencer writes them, with running status) for everything else.
#pragma once

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ScratchDir.h"
#include "document/TabDoc.h"
#include "export/RunCommand.h"
#include "import/MidiSong.h"
#include "platform/SafeFile.h"
#include "playback/ExportMidiBytes.h"
#include "playback/NoteRules.h"

namespace fretlo::test {

using TBytes = std::vector<uint8_t>;

// A header chunk and one "MTrk" chunk per body.
inline TBytes Smf(int format, int division, const std::vector<TBytes>& trackBodies) {
    TMidiBytes out;
    const size_t header = out.BeginChunk("MThd");
    for (const size_t field : {size_t(format), trackBodies.size(), size_t(division)})  // in this order
        out.U16(static_cast<uint16_t>(field));
    out.EndChunk(header);
    for (const TBytes& body : trackBodies) {
        const size_t at = out.BeginChunk("MTrk");
        out.Append(body.data(), body.size());
        out.EndChunk(at);
    }
    return out.Take();
}

struct TTestPart {
    std::string Name;  // the track name; empty for none
    int Channel;
    int Program;            // -1 for no program change
    std::vector<int> Keys;  // one a sixteenth at 96 ticks a quarter
};

// A format 1 file with one MIDI track per part.
inline TBytes PartsFile(const std::vector<TTestPart>& parts) {
    std::vector<TBytes> bodies;
    for (const TTestPart& part : parts) {
        TBytes& body = bodies.emplace_back();
        if (!part.Name.empty()) {
            body.insert(body.end(), {0, 0xFF, 0x03, static_cast<uint8_t>(part.Name.size())});
            body.insert(body.end(), part.Name.begin(), part.Name.end());
        }
        const auto status = [&](int kind) { return static_cast<uint8_t>(kind | part.Channel); };
        if (part.Program >= 0) body.insert(body.end(), {0, status(0xC0), static_cast<uint8_t>(part.Program)});
        for (const int key : part.Keys) {
            const auto k = static_cast<uint8_t>(key);
            body.insert(body.end(), {0, status(0x90), k, 100, 24, status(0x80), k, 0});
        }
        body.insert(body.end(), {0, 0xFF, 0x2F, 0});
    }
    return Smf(1, 96, bodies);
}

// The file csvmidi writes (with running status, as sequencers do) of `division`, whose first
// track holds `conductor` records and each further track those of one part, written as
// "tick, Kind, values" in midicsv's format (the track number is added).
inline TBytes CsvSong(int division, const std::string& conductor, const std::vector<std::string>& tracks) {
    std::vector<std::string> all{conductor};
    all.insert(all.end(), tracks.begin(), tracks.end());
    std::string csv =
        "0, 0, Header, 1, " + std::to_string(all.size()) + ", " + std::to_string(division) + "\n";
    for (size_t t = 0; t < all.size(); ++t) {
        const std::string n = std::to_string(t + 1);
        csv += n + ", 0, Start_track\n";
        std::istringstream in(all[t]);
        int64_t last = 0;
        for (std::string line; std::getline(in, line, ';');) {
            if (line.find_first_not_of(' ') == std::string::npos) continue;
            csv += n + ", " + line + "\n";
            last = std::max<int64_t>(last, std::stoll(line));
        }
        csv += n + ", " + std::to_string(last) + ", End_track\n";
    }
    csv += "0, 0, End_of_file\n";
    const TScratchDir dir;
    WriteFileAtomically(dir.File("in.csv"), TBytes(csv.begin(), csv.end()));
    const TCommandRun run = RunCommand("csvmidi -z " + ShellQuote(dir.File("in.csv")) + " " +
                                       ShellQuote(dir.File("out.mid")));
    if (run.Status != 0) throw std::runtime_error("csvmidi: " + run.Err);
    return ReadWholeFile(dir.File("out.mid"));
}

// Every fret note of a track as (song time, sounding key), in space order.
inline std::vector<std::pair<int32_t, int>> TrackNotes(TCustomTabDoc& doc, int track) {
    TTrackData& t = doc.Track(track);
    std::vector<std::pair<int32_t, int>> notes;
    for (int i = 0; i < t.SpaceCount(); ++i)
        for (int s = 0; s < t.StringCount; ++s)
            if (IsFretNote(t.Space(i).Notes[s]))
                notes.emplace_back(t.SpaceTime(i), SoundingKey(t, s, t.Space(i).Notes[s] - NoteFretBase));
    return notes;
}

}  // namespace fretlo::test
