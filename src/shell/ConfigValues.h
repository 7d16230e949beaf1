// The settings store seen as an ini file: sections (paths joined with "/") holding named values.
// The settings logic talks to this interface only, so it runs without Qt; TConfigIniFile puts it
// on QSettings, and tests put it in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fretlo {

class TConfigValues {
public:
    virtual ~TConfigValues() = default;
    // An empty `ident` is the section's own (unnamed) value. A value of the other kind reads as missing.
    virtual std::optional<std::string> ReadString(std::string_view section, std::string_view ident) const = 0;
    virtual std::optional<std::vector<uint8_t>> ReadBinary(std::string_view section,
                                                           std::string_view ident) const = 0;
    virtual void WriteString(std::string_view section, std::string_view ident, std::string_view value) = 0;
    virtual void WriteBinary(std::string_view section, std::string_view ident,
                             std::span<const uint8_t> value) = 0;
    // The names of the sections directly below `section`, in alphabetical order.
    virtual std::vector<std::string> SectionNames(std::string_view section) const = 0;
    // Removes the section with its values and everything below it.
    virtual void EraseSection(std::string_view section) = 0;
};

// Names chosen by the user (schemes, tuning presets) may hold "/" and "\\", which would split a path:
// a path element keeps them as "%2F" and "%5C" ("%" itself as "%25").
std::string EscapeConfigName(std::string_view name);
std::string UnescapeConfigName(std::string_view element);

// The section path of the child `name` below `parent`.
std::string ChildSection(std::string_view parent, std::string_view name);

// A whole decimal integer, optionally signed and surrounded by blanks; anything else is no number.
std::optional<int> ParseConfigInteger(std::string_view text);

// Integers are kept as decimal text and booleans as "1" / "0"; what is missing or not a
// number reads as `fallback`.
int ReadInteger(const TConfigValues& values, std::string_view section, std::string_view ident, int fallback);
bool ReadBool(const TConfigValues& values, std::string_view section, std::string_view ident, bool fallback);
void WriteInteger(TConfigValues& values, std::string_view section, std::string_view ident, int value);
void WriteBool(TConfigValues& values, std::string_view section, std::string_view ident, bool value);

}  // namespace fretlo
