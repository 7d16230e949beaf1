// fretlo-tool import-midi: a Standard MIDI File as a song, with the importer's report.
#include <cstdio>
#include <sstream>

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "import/ImportMidi.h"
#include "import/KeyNames.h"
#include "platform/SafeFile.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"

namespace fretlo::tool {

namespace {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) items.push_back(item);
    return items;
}

// A part number of the file, from 1, as --tracks and --tuning name them.
int PartArg(const std::string& option, const std::string& text, size_t partCount) {
    const auto n = ParseInteger(text);
    if (!n || *n < 1 || *n > static_cast<long long>(partCount))
        throw EUsage(option + ": '" + text + "' is not a part of this file (1 to " +
                     std::to_string(partCount) + ")");
    return static_cast<int>(*n - 1);
}

void ChooseParts(const std::optional<std::string>& tracks, std::vector<TPartChoice>& choices) {
    if (!tracks) {
        if (choices.size() > MaxTracks)
            throw EFretloError(
                Format("The MIDI file has %zu parts, more than the %d tracks of a song: choose at most "
                       "%d with --tracks.",
                       choices.size(), MaxTracks, MaxTracks));
        return;
    }
    for (TPartChoice& c : choices) c.Import = false;
    for (const std::string& item : SplitList(*tracks))
        choices[PartArg("--tracks", item, choices.size())].Import = true;
}

// "2=E1,A1,D2,G2": the part's strings from the lowest; their number sets the kind.
void ApplyTuning(const std::string& text, std::vector<TPartChoice>& choices) {
    const size_t eq = text.find('=');
    if (eq == std::string::npos) throw EUsage("--tuning needs TRACK=KEY,KEY,... (lowest string first)");
    TPartChoice& choice = choices[PartArg("--tuning", text.substr(0, eq), choices.size())];
    const std::vector<std::string> names = SplitList(text.substr(eq + 1));
    TTuningKeys keys{};
    for (size_t s = 0; s < names.size() && s < keys.size(); ++s) {
        const auto key = ParseKeyName(names[s]);
        if (!key) throw EUsage("--tuning: '" + names[s] + "' is no key (E2, F#3, Bb1 or a number 0 to 127)");
        keys[s] = static_cast<uint8_t>(*key);
    }
    const int strings = static_cast<int>(names.size());
    if (strings < 4 || strings > 7) throw EUsage("--tuning: a track has 4 to 7 strings");
    if (TrackKinds()[choice.Kind].StringCount != strings) {
        constexpr int ByStrings[] = {tkBass4, tkBass5, tkGuitar6, tkGuitar7};
        choice.Kind = ByStrings[strings - 4];
    }
    choice.Tuning = keys;
}

}  // namespace

int CmdImportMidi(const std::vector<std::string>& argv) {
    // --tuning may be given once per part, which TArgs would fold into one value.
    std::vector<std::string> rest, tunings;
    for (size_t i = 0; i < argv.size(); ++i) {
        if (argv[i] == "--tuning" && i + 1 < argv.size())
            tunings.push_back(argv[++i]);
        else if (argv[i].rfind("--tuning=", 0) == 0)
            tunings.push_back(argv[i].substr(9));
        else
            rest.push_back(argv[i]);
    }
    TArgs args(rest, {"--tracks", "--grid"});
    const std::string in = args.Positional(0, "IN.mid");
    const std::string out = args.Positional(1, "OUT.frl");
    const auto tracks = args.Value("--tracks");
    const int grid = args.Int("--grid", 16, 16, 32);
    if (grid != 16 && grid != 32) throw EUsage("--grid must be 16 or 32");
    const bool triplets = !args.Flag("--no-triplets");
    args.Finish(2);

    const TMidiSong song = ReadMidiSong(ReadWholeFile(in));
    TImportOptions options;
    options.Grid = {triplets, grid == 32};
    for (const TMidiPart& part : song.Parts) options.Parts.push_back(SuggestChoice(part, song.Division));
    ChooseParts(tracks, options.Parts);
    for (const std::string& t : tunings) ApplyTuning(t, options.Parts);

    TCustomTabDoc doc;
    const TImportReport report = ImportMidi(song, ImportTitle(in), options, doc);
    doc.SaveToFile(out);
    std::fputs(ReportText(report, song).c_str(), stdout);
    return 0;
}

}  // namespace fretlo::tool
