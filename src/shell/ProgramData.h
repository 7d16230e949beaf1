// The program's data folder (demo songs, help pages): <prefix>/share/fretlo beside the
// installed program, or the build tree's share/fretlo for a program run from its build folder.
#pragma once

#include <QString>

namespace fretlo {

// The first of those folders that exists; the installed place when none does.
QString ProgramDataFolder();

}  // namespace fretlo
