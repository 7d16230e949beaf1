// fretlo-tool image, in a folder of its own because it alone needs the widgets: a build
// without them leaves it out of fretlo-tool-media.
#pragma once

#include <string>
#include <vector>

namespace fretlo::tool {

int CmdImage(const std::vector<std::string>& args);

}  // namespace fretlo::tool
