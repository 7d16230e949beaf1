// The core's settings interface on the user's settings store, one locked pass per call.
// The program keeps a TInstalledSettingsStore for its whole run.
#pragma once

#include <QString>

#include "platform/SettingsStore.h"
#include "shell/ConfigIniFile.h"

namespace fretlo {

class TConfigSettingsStore final : public TSettingsStore {
public:
    explicit TConfigSettingsStore(QString file = DefaultConfigFile()) : file_(std::move(file)) {}

    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& key, const std::string& name) override;
    std::optional<TSettingsValues> ReadValues(const std::string& key) override;
    bool Write(const std::vector<TSettingsChange>& changes) override;

private:
    QString file_;
};

// Installs a store for the core while it lives: new tracks then take their tuning from it.
class TInstalledSettingsStore {
public:
    explicit TInstalledSettingsStore(QString file = DefaultConfigFile()) : store_(std::move(file)) {
        InstallSettingsStore(&store_);
    }
    ~TInstalledSettingsStore() { InstallSettingsStore(nullptr); }
    TInstalledSettingsStore(const TInstalledSettingsStore&) = delete;
    TInstalledSettingsStore& operator=(const TInstalledSettingsStore&) = delete;

private:
    TConfigSettingsStore store_;
};

}  // namespace fretlo
