// The core's settings read interface on the user's settings store, one locked pass per read.
// The program installs one with InstallSettingsStore for its whole run.
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

private:
    QString file_;
};

}  // namespace fretlo
