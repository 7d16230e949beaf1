#include "tool/cli/CommandLine.h"

#include <cstdio>
#include <exception>

#include "tool/cli/Args.h"

namespace fretlo::tool {

namespace {

// The commands' own messages name fretlo-tool even in the helper, which the user reaches
// through it.
constexpr const char* ToolName = "fretlo-tool";

void PrintHelp(const TProgram& program) {
    std::printf("Usage: %s COMMAND [ARGUMENTS]\n\nCommands:\n", program.Name);
    for (const TCommand& c : program.Commands)
        std::printf("  %-12s %s\n  %-12s   %s\n", c.Name, c.Usage, "", c.Summary);
}

int Run(const TCommand& command, const std::vector<std::string>& args) {
    try {
        return command.Run(args);
    } catch (const EUsage& e) {
        std::fprintf(stderr, "%s %s: %s (usage: %s %s %s)\n", ToolName, command.Name, e.what(), ToolName,
                     command.Name, command.Usage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

}  // namespace

int RunCommandLine(const TProgram& program, int argc, char** argv) {
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        std::fprintf(stderr, "%s: no command given (see %s --help)\n", program.Name, program.Name);
        return 2;
    }
    if (all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
        PrintHelp(program);
        return 0;
    }
    for (const TCommand& c : program.Commands) {
        if (all[0] != c.Name) continue;
        if (!c.Run) return program.RunElsewhere(argv);
        return Run(c, std::vector<std::string>(all.begin() + 1, all.end()));
    }
    std::fprintf(stderr, "%s: unknown command '%s' (see %s --help)\n", program.Name, all[0].c_str(),
                 program.Name);
    return 2;
}

}  // namespace fretlo::tool
