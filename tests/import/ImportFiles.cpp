#include "import/ImportFiles.h"

#include <sstream>
#include <stdexcept>

#include "export/RunCommand.h"
#include "ScratchDir.h"
#include "platform/SafeFile.h"
#include "playback/ExportMidiBytes.h"
#include "playback/NoteRules.h"

namespace fretlo::test {

TBytes Smf(int format, int division, const std::vector<TBytes>& trackBodies) {
    TMidiBytes out;
    const size_t header = out.BeginChunk("MThd");
    out.U16(static_cast<uint16_t>(format));
    out.U16(static_cast<uint16_t>(trackBodies.size()));
    out.U16(static_cast<uint16_t>(division));
    out.EndChunk(header);
    for (const TBytes& body : trackBodies) {
        const size_t at = out.BeginChunk("MTrk");
        out.Append(body.data(), body.size());
        out.EndChunk(at);
    }
    return out.Take();
}

TBytes CsvMidi(const std::string& csv) {
    const TScratchDir dir;
    WriteFileAtomically(dir.File("in.csv"), TBytes(csv.begin(), csv.end()));
    const TCommandRun run =
        RunCommand("csvmidi -z " + ShellQuote(dir.File("in.csv")) + " " + ShellQuote(dir.File("out.mid")));
    if (run.Status != 0) throw std::runtime_error("csvmidi: " + run.Err);
    return ReadWholeFile(dir.File("out.mid"));
}

TBytes CsvSong(int division, const std::string& conductor, const std::vector<std::string>& tracks) {
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
    return CsvMidi(csv + "0, 0, End_of_file\n");
}

std::vector<std::pair<int32_t, int>> TrackNotes(TCustomTabDoc& doc, int track) {
    TTrackData& t = doc.Track(track);
    std::vector<std::pair<int32_t, int>> notes;
    for (int i = 0; i < t.SpaceCount(); ++i)
        for (int s = 0; s < t.StringCount; ++s)
            if (IsFretNote(t.Space(i).Notes[s]))
                notes.emplace_back(t.SpaceTime(i), SoundingKey(t, s, t.Space(i).Notes[s] - NoteFretBase));
    return notes;
}

}  // namespace fretlo::test
