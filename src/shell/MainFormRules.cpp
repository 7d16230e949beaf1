#include "shell/MainFormRules.h"

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <system_error>

#include "base/Errors.h"

namespace fretlo {

namespace {

std::optional<int> InRange(std::optional<long long> value, long long low, long long high) {
    if (!value || *value < low || *value > high) return std::nullopt;
    return static_cast<int>(*value);
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The folder without trailing separators and "." or ".." parts.
std::string NormalFolder(std::string_view folder) {
    std::string path = std::filesystem::path(folder).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool SameFolder(const std::string& folder, std::string_view other) {
    if (other.empty()) return false;
    if (NormalFolder(other) == folder) return true;
    // A folder reached through a symbolic link (a /tmp that links elsewhere) is the same folder.
    std::error_code error;
    return std::filesystem::equivalent(folder, other, error);
}

}  // namespace

std::string DisplayName(std::string_view fileName) {
    if (fileName.empty()) return "Untitled";
    const auto slash = fileName.find_last_of('/');
    return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

std::string WindowCaption(std::string_view fileName) { return DisplayName(fileName) + " - " + AppTitle; }

std::string RecentItemCaption(int index, std::string_view displayName) {
    std::string caption = "&" + std::to_string((index + 1) % 10) + " ";
    for (const char c : displayName) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

std::string ErrorDisplayText(std::string_view message, bool internalError) {
    std::string text(message);
    if (internalError) {
        const auto open = text.find('(');
        const auto separator = open == std::string::npos ? open : text.find_last_of("/\\");
        if (separator != std::string::npos && separator > open) text.erase(open + 1, separator - open);
    }
    // Letters, digits and symbols get a full stop; a text that ends in a sentence's own
    // punctuation keeps it ("Really?" does not become "Really?.").
    const auto last = text.empty() ? '.' : text.back();
    if (static_cast<unsigned char>(last) > '.' &&
        std::string_view("?!:;").find(last) == std::string_view::npos)
        text += '.';
    return text;
}

TTempFolders TempFoldersFromEnvironment() {
    return {EnvironmentValue("TMP"), EnvironmentValue("TEMP"), EnvironmentValue("TMPDIR")};
}

std::optional<std::string> RefusedSaveFolder(std::string_view fileName, const TTempFolders& temp) {
    const std::string folder =
        NormalFolder(std::filesystem::absolute(std::filesystem::path(fileName)).parent_path().string());
    if (SameFolder(folder, temp.Tmp) || SameFolder(folder, temp.Temp) || SameFolder(folder, temp.TmpDir))
        return folder;
    return std::nullopt;
}

std::string SaveRefusedMessage(std::string_view folder) {
    return Format("Cannot save the file in its current location (%.*s). Please select File | Save As and "
                  "save to a different folder.",
                  static_cast<int>(folder.size()), folder.data());
}

std::optional<int> ParseBeats(std::string_view text) { return InRange(ParseWholeNumber(text), 1, 16); }

std::optional<int> ParseBarsToAdd(std::string_view text) { return InRange(ParseWholeNumber(text), 1, 10000); }

std::optional<int> ParseBarNumber(std::string_view text) {
    return InRange(ParseWholeNumber(text), 1, std::numeric_limits<int>::max());
}

std::optional<int> ParseTempo(std::string_view text) {
    return InRange(ParseWholeNumber(text), MinTempo, MaxTempo);
}

std::string TempoRangeMessage() { return Format("Tempo must be between %d and %d.", MinTempo, MaxTempo); }

}  // namespace fretlo
