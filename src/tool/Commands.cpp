#include "tool/Commands.h"

namespace fretlo::tool {

const std::vector<TCommand>& AllCommands() {
    static const std::vector<TCommand> commands = {
    };
    return commands;
}

} // namespace fretlo::tool
