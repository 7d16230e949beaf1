// The recent-file list in section "MRU": values "0" to "9", each the file's path, "*" and the
// name shown in the File menu.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/ConfigValues.h"

namespace fretlo {

inline constexpr std::string_view RecentSection = "MRU";
inline constexpr int MaxRecentFiles = 10;

// The entries in order, the empty ones skipped.
std::vector<std::string> ReadRecentFiles(const TConfigValues& values);
// Writes all ten values, empty beyond the end of `entries`.
void WriteRecentFiles(TConfigValues& values, const std::vector<std::string>& entries);
// The file path of an entry: the text before its first "*".
std::string_view RecentFilePath(std::string_view entry);
// Reloads the list, moves `fileName` to the top (adding it when new, dropping the oldest beyond
// ten) and writes the list back; returns it. Another instance's additions are kept.
std::vector<std::string> RememberRecentFile(TConfigValues& values, std::string_view fileName,
                                            std::string_view displayName);

}  // namespace fretlo
