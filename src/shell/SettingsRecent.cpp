#include "shell/SettingsRecent.h"

#include <algorithm>

namespace fretlo {

std::vector<std::string> ReadRecentFiles(const TConfigValues& values) {
    std::vector<std::string> entries;
    for (int i = 0; i < MaxRecentFiles; ++i) {
        std::string entry = values.ReadString(RecentSection, std::to_string(i)).value_or("");
        if (!entry.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

void WriteRecentFiles(TConfigValues& values, const std::vector<std::string>& entries) {
    for (int i = 0; i < MaxRecentFiles; ++i) {
        const size_t slot = static_cast<size_t>(i);
        values.WriteString(RecentSection, std::to_string(i), slot < entries.size() ? entries[slot] : "");
    }
}

std::string_view RecentFilePath(std::string_view entry) { return entry.substr(0, entry.find('*')); }

std::vector<std::string> RememberRecentFile(TConfigValues& values, std::string_view fileName,
                                            std::string_view displayName) {
    std::vector<std::string> entries = ReadRecentFiles(values);
    // File names on Linux are case-sensitive, so only the exact path is the same file.
    const auto old = std::find_if(entries.begin(), entries.end(),
                                  [&](const std::string& e) { return RecentFilePath(e) == fileName; });
    if (old != entries.end()) entries.erase(old);
    entries.insert(entries.begin(), std::string(fileName) + "*" + std::string(displayName));
    if (entries.size() > MaxRecentFiles) entries.resize(MaxRecentFiles);
    WriteRecentFiles(values, entries);
    return entries;
}

}  // namespace fretlo
