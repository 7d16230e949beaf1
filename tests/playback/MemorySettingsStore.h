// A settings store in memory with keys as the registry has them (a written key exists until
// it is erased), which can be told to refuse every write.
#pragma once

#include <map>

#include "platform/SettingsStore.h"

namespace fretlo::test {

class TMemorySettingsStore : public TSettingsStore {
public:
    std::map<std::string, TSettingsValues> Keys;
    bool RefuseWrites = false;
    int Writes = 0;  // passes that changed the store

    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override {
        return Read<std::string>(key, name);
    }
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& key, const std::string& name) override {
        return Read<std::vector<uint8_t>>(key, name);
    }
    std::optional<TSettingsValues> ReadValues(const std::string& key) override {
        const auto it = Keys.find(key);
        if (it == Keys.end()) return std::nullopt;
        return it->second;
    }
    bool Write(const std::vector<TSettingsChange>& changes) override {
        if (RefuseWrites) return false;
        for (const TSettingsChange& change : changes) {
            switch (change.Kind) {
            case TSettingsChange::SetValue: Keys[change.Key][change.Name] = change.Value; break;
            case TSettingsChange::EraseValue: Keys[change.Key].erase(change.Name); break;
            case TSettingsChange::EraseKey:
                std::erase_if(Keys, [&](const auto& entry) {
                    return entry.first == change.Key || entry.first.starts_with(change.Key + "/");
                });
                break;
            }
        }
        ++Writes;
        return true;
    }

private:
    template <class T> std::optional<T> Read(const std::string& key, const std::string& name) const {
        const auto k = Keys.find(key);
        if (k == Keys.end()) return std::nullopt;
        const auto v = k->second.find(name);
        if (v == k->second.end() || !std::holds_alternative<T>(v->second)) return std::nullopt;
        return std::get<T>(v->second);
    }
};

}  // namespace fretlo::test
