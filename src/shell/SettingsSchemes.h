// Colour schemes: the two that come with the program and the ones the user saved under
// "ColorSchemes", one section per scheme holding the nine roles as section "Colors" does.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/ConfigValues.h"
#include "view/TabViewColors.h"

namespace fretlo {

inline constexpr std::string_view SchemesSection = "ColorSchemes";
inline constexpr std::string_view StandardSchemeName = "Standard";
inline constexpr std::string_view DarkSchemeName = "Dark";

// Light text on a near-black background, for dark desktops.
inline constexpr TTabColorTable DarkScheme = {
    0x1E1E1E,  // background: near black
    0x4A4A4A,  // string lines: dark grey
    0xC8C8C8,  // bar lines: light grey
    0xE6E6E6,  // numbers: near white
    0xFFB46C,  // effects: light blue
    0xB0C94E,  // track effects: light teal
    0xAADCDC,  // text lines: pale yellow
    0xE6E6E6,  // tuning: near white
    0x00D7FF,  // highlighted numbers: gold
};

struct TBuiltInScheme {
    std::string_view Name;
    const TTabColorTable& Colors;
};

// "Standard" then "Dark"; they cannot be saved over or deleted.
std::span<const TBuiltInScheme> BuiltInSchemes();
// Whether `name` is a built-in scheme's name, ignoring case.
bool IsBuiltInScheme(std::string_view name);
// The built-in schemes followed by the saved ones in alphabetical order.
std::vector<std::string> SchemeNames(const TConfigValues& values);
// A scheme's colours; a role missing from a saved scheme, or not a colour, has its Standard colour.
TTabColorTable ReadScheme(const TConfigValues& values, std::string_view name);
// Saves (or overwrites) a scheme of the user; refuses built-in names by returning false.
bool WriteScheme(TConfigValues& values, std::string_view name, const TTabColorTable& colors);
// Deletes a saved scheme; refuses built-in names by returning false.
bool DeleteScheme(TConfigValues& values, std::string_view name);

}  // namespace fretlo
