// fretlo-tool: the song engine from the command line. The commands that only read and write
// songs run here; those that draw or sound run in fretlo-tool-media, which replaces this
// process, so that a batch over many songs never loads Qt or the MIDI backends.
#include "tool/Commands.h"
#include "tool/MediaHelper.h"
#include "tool/cli/CommandLine.h"

using namespace fretlo::tool;

int main(int argc, char** argv) {
#define FRETLO_DOCUMENT_COMMAND(name, usage, summary, run) {name, usage, summary, run},
#define FRETLO_MEDIA_COMMAND(name, usage, summary, run) {name, usage, summary, nullptr},
    const TProgram tool{"fretlo-tool",
                        {
#include "tool/cli/CommandList.h"
                        },
                        RunMediaHelper};
    return RunCommandLine(tool, argc, argv);
}
