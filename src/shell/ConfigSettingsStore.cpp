#include "shell/ConfigSettingsStore.h"

namespace fretlo {

std::optional<std::string> TConfigSettingsStore::ReadString(const std::string& key, const std::string& name) {
    return TConfigIniFile(file_).ReadString(key, name);
}

std::optional<std::vector<uint8_t>> TConfigSettingsStore::ReadBinary(const std::string& key,
                                                                     const std::string& name) {
    return TConfigIniFile(file_).ReadBinary(key, name);
}

std::optional<TSettingsValues> TConfigSettingsStore::ReadValues(const std::string& key) {
    const TConfigIniFile ini(file_);
    const auto idents = ini.ValueIdents(key);
    if (!idents) return std::nullopt;
    TSettingsValues values;
    for (const std::string& ident : *idents) {
        if (auto bytes = ini.ReadBinary(key, ident))
            values.emplace(ident, std::move(*bytes));
        else if (auto text = ini.ReadString(key, ident))
            values.emplace(ident, std::move(*text));
    }
    return values;
}

bool TConfigSettingsStore::Write(const std::vector<TSettingsChange>& changes) {
    TConfigIniFile ini(file_);
    for (const TSettingsChange& change : changes) {
        switch (change.Kind) {
        case TSettingsChange::SetValue:
            if (const auto* text = std::get_if<std::string>(&change.Value))
                ini.WriteString(change.Key, change.Name, *text);
            else
                ini.WriteBinary(change.Key, change.Name, std::get<std::vector<uint8_t>>(change.Value));
            break;
        case TSettingsChange::EraseValue: ini.EraseValue(change.Key, change.Name); break;
        case TSettingsChange::EraseKey: ini.EraseSection(change.Key); break;
        }
    }
    return ini.Flush();
}

}  // namespace fretlo
