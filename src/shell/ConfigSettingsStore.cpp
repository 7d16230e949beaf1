#include "shell/ConfigSettingsStore.h"

namespace fretlo {

std::optional<std::string> TConfigSettingsStore::ReadString(const std::string& key, const std::string& name) {
    return TConfigIniFile(file_).ReadString(key, name);
}

std::optional<std::vector<uint8_t>> TConfigSettingsStore::ReadBinary(const std::string& key,
                                                                     const std::string& name) {
    return TConfigIniFile(file_).ReadBinary(key, name);
}

}  // namespace fretlo
