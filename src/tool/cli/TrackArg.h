// The --tracks option of the export commands: 1-based track numbers separated by commas.
#pragma once

#include <bitset>
#include <optional>
#include <string>

#include "document/Limits.h"

namespace fretlo::tool {

// The tracks named, or every track of the song when the option is absent. EUsage for a number
// that is no track of the song, and "At least one track must be checked." for an empty list.
std::bitset<MaxTracks> TracksArg(const std::optional<std::string>& text, int trackCount);

}  // namespace fretlo::tool
