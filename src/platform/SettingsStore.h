// The per-user settings store as the core sees it: keys with named string and binary values.
// The real store (on QSettings) is installed by the program at start-up; with none
// installed every read finds nothing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace fretlo {

// One value of a key: text or bytes.
using TSettingsValue = std::variant<std::string, std::vector<uint8_t>>;
// The values directly in a key by name; the key's default value has the empty name.
using TSettingsValues = std::map<std::string, TSettingsValue>;

// One change of a write pass.
struct TSettingsChange {
    enum TKind { SetValue, EraseValue, EraseKey };
    TKind Kind = SetValue;
    std::string Key;
    std::string Name;  // SetValue, EraseValue: the value; empty is the default value
    TSettingsValue Value;
};

class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;
    // `key` is a path below the program's root such as "Tunings/#6-0"; an empty
    // `name` is the key's default value.
    virtual std::optional<std::string> ReadString(const std::string& key, const std::string& name) = 0;
    virtual std::optional<std::vector<uint8_t>> ReadBinary(const std::string& key,
                                                           const std::string& name) = 0;
    // Every value of `key` in one pass; nothing when the key does not exist. A store that
    // can only be read lists no keys.
    virtual std::optional<TSettingsValues> ReadValues(const std::string&) { return std::nullopt; }
    // Makes the changes in order in one pass (EraseKey takes the subkeys too); false when the
    // store could not be written. A store that can only be read refuses every write.
    virtual bool Write(const std::vector<TSettingsChange>&) { return false; }
};

// The installed store, or null. The program installs one for its whole run.
TSettingsStore* CurrentSettingsStore();
void InstallSettingsStore(TSettingsStore* store);

}  // namespace fretlo
