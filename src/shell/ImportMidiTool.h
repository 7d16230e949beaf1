// The MIDI import program that Tools > Import MIDI Tool starts: installed beside fretlo (or in
// the libexec folder of the installation), or in the build tree's src/importer.
#pragma once

#include <QString>

namespace fretlo {

inline constexpr const char* ImportToolName = "fretlo-midi-import";

// The program's path for a fretlo running from `programFolder`; empty when it is not there
// (the menu entry is then disabled).
QString ImportToolPath(const QString& programFolder);

}  // namespace fretlo
