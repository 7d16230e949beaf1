// fretlo-tool-media, the helper that runs the commands needing Qt or the MIDI backends, so that
// fretlo-tool itself loads neither.
#pragma once

namespace fretlo::tool {

// Replaces this process with the helper, given the same command line. The helper is looked
// for beside this program (the build tree) and then in the installed libexec folder. Returns
// only when it cannot run, after saying why on one line: exit status 1.
int RunMediaHelper(char** argv);

}  // namespace fretlo::tool
