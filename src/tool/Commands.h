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

int CmdDevices(const std::vector<std::string>& args);
int CmdPlay(const std::vector<std::string>& args);
int CmdRender(const std::vector<std::string>& args);
int CmdTrace(const std::vector<std::string>& args);
int CmdImage(const std::vector<std::string>& args);

int CmdInfo(const std::vector<std::string>& args);
int CmdDump(const std::vector<std::string>& args);
int CmdConvert(const std::vector<std::string>& args);
int CmdNewSong(const std::vector<std::string>& args);

int CmdExportMidi(const std::vector<std::string>& args);
int CmdExportText(const std::vector<std::string>& args);
int CmdTimeAt(const std::vector<std::string>& args);
int CmdImportMidi(const std::vector<std::string>& args);

// Every subcommand, in the order --help lists them.
const std::vector<TCommand>& AllCommands();

} // namespace fretlo::tool
