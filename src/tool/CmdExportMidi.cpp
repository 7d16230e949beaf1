// fretlo-tool export-midi: the song as a Standard MIDI File.
#include "document/TabDoc.h"
#include "playback/ExportMidi.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"
#include "tool/cli/TrackArg.h"

namespace fretlo::tool {

int CmdExportMidi(const std::vector<std::string>& argv) {
    TArgs args(argv, {"--tracks"});
    const std::string in = args.Positional(0, "FILE");
    const std::string out = args.Positional(1, "OUT.mid");
    const auto tracks = args.Value("--tracks");
    const bool includeMuted = !args.Flag("--no-muted");
    const bool bankSelects = args.Flag("--bank-selects");
    args.Finish(2);

    TCustomTabDoc doc;
    doc.LoadFromFile(in);
    ExportMidi(doc, out, TracksArg(tracks, doc.TrackCount()), bankSelects, includeMuted);
    return 0;
}

}  // namespace fretlo::tool
