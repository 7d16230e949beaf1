// fretlo-tool time-at: how long the song plays until a space, as Time at Cursor shows it.
#include <cstdio>

#include "document/TabDoc.h"
#include "playback/TimeAtCursor.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"

namespace fretlo::tool {

int CmdTimeAt(const std::vector<std::string>& argv) {
    TArgs args(argv, {"--track", "--space"});
    const std::string in = args.Positional(0, "FILE");
    const int track = args.Int("--track", 0, 1, MaxTracks);
    const int space = args.Int("--space", -1, 0, MaxSpaces - 1);
    args.Finish(1);
    if (track == 0) throw EUsage("missing --track");
    if (space < 0) throw EUsage("missing --space");

    TCustomTabDoc doc;
    doc.LoadFromFile(in);
    if (track > doc.TrackCount())
        throw EUsage("--track: the song has tracks 1 to " + std::to_string(doc.TrackCount()));
    if (space >= doc.Track(track - 1).SpaceCount())
        throw EUsage("--space: track " + std::to_string(track) + " has " +
                     std::to_string(doc.Track(track - 1).SpaceCount()) + " spaces");
    std::printf("%s\n", FormatTimeAtCursor(TimeAtCursor(doc, track - 1, space)).c_str());
    return 0;
}

}  // namespace fretlo::tool
