#include "shell/SettingsSchemes.h"

#include <algorithm>
#include <cctype>

#include "shell/SettingsTable.h"

namespace fretlo {

namespace {

const TBuiltInScheme BuiltIns[] = {
    {StandardSchemeName, StandardScheme},
    {DarkSchemeName, DarkScheme},
};

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

const TBuiltInScheme* FindBuiltIn(std::string_view name) {
    const auto it = std::ranges::find_if(
        BuiltIns, [&](const TBuiltInScheme& s) { return SameNameIgnoringCase(s.Name, name); });
    return it == std::end(BuiltIns) ? nullptr : it;
}

}  // namespace

std::span<const TBuiltInScheme> BuiltInSchemes() { return BuiltIns; }

bool IsBuiltInScheme(std::string_view name) { return FindBuiltIn(name) != nullptr; }

std::vector<std::string> SchemeNames(const TConfigValues& values) {
    std::vector<std::string> names;
    for (const TBuiltInScheme& s : BuiltIns) names.emplace_back(s.Name);
    for (std::string& saved : values.SectionNames(SchemesSection))
        if (!IsBuiltInScheme(saved)) names.push_back(std::move(saved));
    return names;
}

TTabColorTable ReadScheme(const TConfigValues& values, std::string_view name) {
    if (const TBuiltInScheme* builtIn = FindBuiltIn(name)) return builtIn->Colors;
    return ReadColors(values, ChildSection(SchemesSection, name));
}

bool WriteScheme(TConfigValues& values, std::string_view name, const TTabColorTable& colors) {
    if (IsBuiltInScheme(name)) return false;
    WriteColors(colors, values, ChildSection(SchemesSection, name));
    return true;
}

bool DeleteScheme(TConfigValues& values, std::string_view name) {
    if (IsBuiltInScheme(name)) return false;
    values.EraseSection(ChildSection(SchemesSection, name));
    return true;
}

}  // namespace fretlo
