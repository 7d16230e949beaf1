// What fretlo-tool and its helper fretlo-tool-media share around their commands: the table
// entry, --help, finding the command and the exit statuses (0 done, 1 failed with the message
// on standard error, 2 a wrong command line).
#pragma once

#include <string>
#include <vector>

namespace fretlo::tool {

using TCommandFn = int (*)(const std::vector<std::string>& args);

struct TCommand {
    const char* Name;
    const char* Usage;    // arguments, shown by --help
    const char* Summary;  // one line
    TCommandFn Run;       // null for a command that the other program runs
};

// One of the two programs.
struct TProgram {
    const char* Name;                // in --help and in the messages about the command line itself
    std::vector<TCommand> Commands;  // in the order --help lists them
    // Runs a command whose Run is null, given the whole command line; returns an exit status
    // only when it could not.
    int (*RunElsewhere)(char** argv) = nullptr;
};

// Runs the command that argv names; returns the exit status.
int RunCommandLine(const TProgram& program, int argc, char** argv);

}  // namespace fretlo::tool
