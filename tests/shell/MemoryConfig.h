// A settings store in memory, for testing the settings logic without Qt or files.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "shell/ConfigValues.h"

namespace fretlo::test {

class TMemoryConfig : public TConfigValues {
public:
    using TValue = std::variant<std::string, std::vector<uint8_t>>;
    using TKey = std::pair<std::string, std::string>;  // section, ident
    std::map<TKey, TValue> Values;

    std::optional<std::string> ReadString(std::string_view section, std::string_view ident) const override {
        const auto it = Values.find(TKey(section, ident));
        if (it == Values.end() || !std::holds_alternative<std::string>(it->second)) return std::nullopt;
        return std::get<std::string>(it->second);
    }
    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view section,
                                                   std::string_view ident) const override {
        const auto it = Values.find(TKey(section, ident));
        if (it == Values.end() || !std::holds_alternative<std::vector<uint8_t>>(it->second))
            return std::nullopt;
        return std::get<std::vector<uint8_t>>(it->second);
    }
    void WriteString(std::string_view section, std::string_view ident, std::string_view value) override {
        Values[TKey(section, ident)] = std::string(value);
    }
    void WriteBinary(std::string_view section, std::string_view ident,
                     std::span<const uint8_t> value) override {
        Values[TKey(section, ident)] = std::vector<uint8_t>(value.begin(), value.end());
    }
    std::vector<std::string> SectionNames(std::string_view section) const override {
        const std::string prefix = section.empty() ? "" : std::string(section) + "/";
        std::vector<std::string> names;
        for (const auto& [key, value] : Values) {
            const std::string& path = key.first;
            if (path.size() <= prefix.size() || !path.starts_with(prefix)) continue;
            std::string child =
                UnescapeConfigName(path.substr(prefix.size(), path.find('/', prefix.size()) - prefix.size()));
            if (names.empty() || names.back() != child) names.push_back(std::move(child));
        }
        return names;
    }
    void EraseSection(std::string_view section) override {
        const std::string prefix = std::string(section) + "/";
        std::erase_if(Values, [&](const auto& entry) {
            return entry.first.first == section || entry.first.first.starts_with(prefix);
        });
    }

    // The text of a value, or "(missing)".
    std::string Text(std::string_view section, std::string_view ident) const {
        return ReadString(section, ident).value_or("(missing)");
    }
};

}  // namespace fretlo::test
