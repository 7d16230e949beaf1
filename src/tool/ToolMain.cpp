// fretlo-tool: the song engine from the command line. Usage errors exit 2, failures 1.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tool/Args.h"
#include "tool/Commands.h"

using namespace fretlo::tool;

namespace {

void PrintHelp(std::FILE* out) {
    std::fprintf(out, "Usage: fretlo-tool COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const TCommand& c : AllCommands())
        std::fprintf(out, "  %-12s %s\n  %-12s   %s\n", c.Name, c.Usage, "", c.Summary);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        std::fprintf(stderr, "fretlo-tool: no command given (see fretlo-tool --help)\n");
        return 2;
    }
    if (all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
        PrintHelp(stdout);
        return 0;
    }
    for (const TCommand& c : AllCommands()) {
        if (all[0] != c.Name) continue;
        try {
            return c.Run(std::vector<std::string>(all.begin() + 1, all.end()));
        } catch (const EUsage& e) {
            std::fprintf(stderr, "fretlo-tool %s: %s (usage: fretlo-tool %s %s)\n", c.Name, e.what(), c.Name,
                         c.Usage);
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "fretlo-tool: unknown command '%s' (see fretlo-tool --help)\n", all[0].c_str());
    return 2;
}
