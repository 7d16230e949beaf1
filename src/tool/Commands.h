// The subcommands of fretlo-tool, one file each.
#pragma once

#include <string>
#include <vector>

namespace fretlo::tool {

using TCommandFn = int (*)(const std::vector<std::string>& args);

struct TCommand {
    const char* Name;
    const char* Usage;    // arguments, shown by --help
    const char* Summary;  // one line
    TCommandFn Run;
};

// Every subcommand, in the order --help lists them.
const std::vector<TCommand>& AllCommands();

} // namespace fretlo::tool
