#include "shell/ConfigValues.h"

#include <charconv>

namespace fretlo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string EscapeConfigName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        switch (c) {
        case '%': out += "%25"; break;
        case '/': out += "%2F"; break;
        case '\\': out += "%5C"; break;
        default: out += c;
        }
    }
    return out;
}

std::string UnescapeConfigName(std::string_view element) {
    std::string out;
    out.reserve(element.size());
    for (size_t i = 0; i < element.size(); ++i) {
        if (element[i] == '%' && i + 2 < element.size()) {
            const int hi = HexDigit(element[i + 1]);
            const int lo = HexDigit(element[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += element[i];
    }
    return out;
}

std::string ChildSection(std::string_view parent, std::string_view name) {
    std::string path(parent);
    if (!path.empty()) path += '/';
    return path + EscapeConfigName(name);
}

std::optional<int> ParseConfigInteger(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int ReadInteger(const TConfigValues& values, std::string_view section, std::string_view ident, int fallback) {
    const auto text = values.ReadString(section, ident);
    if (!text) return fallback;
    return ParseConfigInteger(*text).value_or(fallback);
}

bool ReadBool(const TConfigValues& values, std::string_view section, std::string_view ident, bool fallback) {
    return ReadInteger(values, section, ident, fallback ? 1 : 0) != 0;
}

void WriteInteger(TConfigValues& values, std::string_view section, std::string_view ident, int value) {
    values.WriteString(section, ident, std::to_string(value));
}

void WriteBool(TConfigValues& values, std::string_view section, std::string_view ident, bool value) {
    values.WriteString(section, ident, value ? "1" : "0");
}

}  // namespace fretlo
