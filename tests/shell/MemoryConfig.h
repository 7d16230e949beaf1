// A settings store in memory, for the settings logic without Qt or files (no sections below sections).
#pragma once

#include <map>
#include <utility>
#include <variant>

#include "shell/ConfigValues.h"

namespace fretlo::test {

class TMemoryConfig : public TConfigValues {
public:
    std::map<std::pair<std::string, std::string>, std::variant<std::string, std::vector<uint8_t>>> Values;

    std::optional<std::string> ReadString(std::string_view section, std::string_view ident) const override {
        return Read<std::string>(section, ident);
    }
    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view section,
                                                   std::string_view ident) const override {
        return Read<std::vector<uint8_t>>(section, ident);
    }
    void WriteString(std::string_view section, std::string_view ident, std::string_view value) override {
        Values[{std::string(section), std::string(ident)}] = std::string(value);
    }
    void WriteBinary(std::string_view section, std::string_view ident,
                     std::span<const uint8_t> value) override {
        Values[{std::string(section), std::string(ident)}] = std::vector<uint8_t>(value.begin(), value.end());
    }
    std::vector<std::string> SectionNames(std::string_view) const override { return {}; }
    void EraseSection(std::string_view) override {}

    std::string Text(std::string_view section, std::string_view ident) const {
        return ReadString(section, ident).value_or("(missing)");
    }

private:
    template <class T> std::optional<T> Read(std::string_view section, std::string_view ident) const {
        const auto it = Values.find({std::string(section), std::string(ident)});
        if (it == Values.end() || !std::holds_alternative<T>(it->second)) return std::nullopt;
        return std::get<T>(it->second);
    }
};

}  // namespace fretlo::test
