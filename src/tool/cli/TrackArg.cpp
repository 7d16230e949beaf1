#include "tool/cli/TrackArg.h"

#include <sstream>

#include "tool/cli/Args.h"

namespace fretlo::tool {

std::bitset<MaxTracks> TracksArg(const std::optional<std::string>& text, int trackCount) {
    std::bitset<MaxTracks> tracks;
    if (!text) {
        for (int t = 0; t < trackCount; ++t) tracks.set(t);
        return tracks;
    }
    std::istringstream in(*text);
    std::string item;
    while (std::getline(in, item, ',')) {
        const auto n = ParseInteger(item);
        if (!n || *n < 1 || *n > trackCount)
            throw EUsage("--tracks: '" + item + "' is not a track of this song (1 to " +
                         std::to_string(trackCount) + ")");
        tracks.set(static_cast<size_t>(*n - 1));
    }
    if (tracks.none()) throw EUsage("At least one track must be checked.");
    return tracks;
}

}  // namespace fretlo::tool
