// The commands that fretlo-tool runs itself, one file each; the others it hands to its helper.
#pragma once

#include <string>
#include <vector>

namespace fretlo::tool {

#define FRETLO_DOCUMENT_COMMAND(name, usage, summary, run) int run(const std::vector<std::string>& args);
#define FRETLO_MEDIA_COMMAND(name, usage, summary, run)
#include "tool/cli/CommandList.h"

}  // namespace fretlo::tool
