// The commands that fretlo-tool hands to this helper because they need Qt or the MIDI
// backends, one file each.
#pragma once

#include <string>
#include <vector>

namespace fretlo::tool {

#define FRETLO_DOCUMENT_COMMAND(name, usage, summary, run)
#define FRETLO_MEDIA_COMMAND(name, usage, summary, run) int run(const std::vector<std::string>& args);
#include "tool/cli/CommandList.h"

}  // namespace fretlo::tool
