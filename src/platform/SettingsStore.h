// The per-user settings store as the core sees it: keys with named string and binary values.
// The real store (on QSettings) is installed by the program at start-up; with none
// installed every read finds nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fretlo {

class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;
    // `key` is a path below the program's root such as "Tunings/#6-0"; an empty
    // `name` is the key's default value.
    virtual std::optional<std::string> ReadString(const std::string& key, const std::string& name) = 0;
    virtual std::optional<std::vector<uint8_t>> ReadBinary(const std::string& key,
                                                           const std::string& name) = 0;
};

// The installed store, or null. The program installs one for its whole run.
TSettingsStore* CurrentSettingsStore();
void InstallSettingsStore(TSettingsStore* store);

}  // namespace fretlo
