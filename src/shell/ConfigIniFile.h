// The settings store on QSettings (INI format) in the user's configuration folder, guarded by
// the configuration lock file "WinFretlo-Config-Mutex" beside it. One object is one read or
// write pass: open it, read or write, let it go; its changes reach the file before the lock
// is released.
#pragma once

#include <QLockFile>
#include <QSettings>
#include <QString>

#include "shell/ConfigValues.h"

namespace fretlo {

// ~/.config/Korvane Software/WinFretlo.ini (following XDG_CONFIG_HOME and Qt's test mode).
QString DefaultConfigFile();
// The lock file that serialises passes over `configFile` between processes.
QString ConfigLockFile(const QString& configFile);

class TConfigIniFile final : public TConfigValues {
public:
    // Waits for the lock without a time limit; a lock left by a dead process is taken over.
    explicit TConfigIniFile(const QString& file = DefaultConfigFile());
    ~TConfigIniFile() override;
    TConfigIniFile(const TConfigIniFile&) = delete;
    TConfigIniFile& operator=(const TConfigIniFile&) = delete;

    // False when the lock file could not be made (a read-only folder); the pass runs unguarded.
    bool HasLock() const { return locked_; }

    std::optional<std::string> ReadString(std::string_view section, std::string_view ident) const override;
    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view section,
                                                   std::string_view ident) const override;
    void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    void WriteBinary(std::string_view section, std::string_view ident,
                     std::span<const uint8_t> value) override;
    std::vector<std::string> SectionNames(std::string_view section) const override;
    void EraseSection(std::string_view section) override;

    // The idents of the values directly in `section` ("" for its own value); nothing when the
    // section holds neither values nor sections.
    std::optional<std::vector<std::string>> ValueIdents(std::string_view section) const;
    void EraseValue(std::string_view section, std::string_view ident);
    // Writes the pass's changes to the file now; false when the file could not be written.
    bool Flush();

private:
    QLockFile lock_;
    bool locked_;
    // Reads the file when made, so it is made after the lock is taken and destroyed before it is let go.
    mutable QSettings settings_;
};

}  // namespace fretlo
