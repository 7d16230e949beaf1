// fretlo-tool export-text: the song as plain-text tablature, to a file or standard output.
#include <climits>
#include <cstdio>
#include <filesystem>

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "export/ExportText.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"
#include "tool/cli/TrackArg.h"

namespace fretlo::tool {

namespace {

// A number as the dialog's edit box would hold it; anything else fails its range check.
int NumberOption(TArgs& args, const std::string& name, int fallback) {
    const auto text = args.Value(name);
    if (!text) return fallback;
    const auto v = ParseInteger(*text);
    return v && *v >= INT_MIN && *v <= INT_MAX ? static_cast<int>(*v) : INT_MIN;
}

void Refuse(const std::optional<TTextExportProblem>& problem) {
    if (problem) throw EUsage(problem->Message);
}

}  // namespace

int CmdExportText(const std::vector<std::string>& argv) {
    TArgs args(argv, {"--tracks", "--line-width", "--lines-per-page"});
    const std::string in = args.Positional(0, "FILE");
    const std::string out = args.Positional(1, "OUT.txt");
    const auto tracks = args.Value("--tracks");
    TTextExportOptions options;
    options.LineWidth = NumberOption(args, "--line-width", options.LineWidth);
    options.LinesPerPage = NumberOption(args, "--lines-per-page", options.LinesPerPage);
    options.BreakAtBar = !args.Flag("--no-bar-break");
    options.PageBreaks = args.Flag("--page-breaks");
    args.Finish(2);
    // The sizes are refused before the song is read, the track choice once it is known.
    Refuse(CheckTextExport(options, std::bitset<MaxTracks>().set(), MaxTracks));

    TCustomTabDoc doc;
    doc.LoadFromFile(in);
    const auto chosen = TracksArg(tracks, doc.TrackCount());
    Refuse(CheckTextExport(options, chosen, doc.TrackCount()));
    if (out != "-") {
        WriteTextExport(doc, out, options, chosen);
        return 0;
    }
    const std::string title = std::filesystem::path(in).replace_extension(".txt").string();
    const std::string text = ExportText(doc, title, options, chosen);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        throw EFretloError("Could not write the text to standard output.");
    return 0;
}

}  // namespace fretlo::tool
