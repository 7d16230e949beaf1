// fretlo-tool-media: the commands of fretlo-tool that draw with Qt or open the MIDI backends.
// fretlo-tool runs it in its own place with the same command line; it is not meant to be
// started by hand, though it answers --help with its own commands.
#include "tool/cli/CommandLine.h"
#include "tool/media/MediaCommands.h"

using namespace fretlo::tool;

int main(int argc, char** argv) {
#define FRETLO_DOCUMENT_COMMAND(name, usage, summary, run)
#define FRETLO_MEDIA_COMMAND(name, usage, summary, run) {name, usage, summary, run},
    const TProgram media{"fretlo-tool-media",
                         {
#include "tool/cli/CommandList.h"
                         }};
    return RunCommandLine(media, argc, argv);
}
