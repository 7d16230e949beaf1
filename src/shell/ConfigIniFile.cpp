#include "shell/ConfigIniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>

namespace fretlo {

namespace {

constexpr char LockName[] = "WinFretlo-Config-Mutex";
// An ident names a value; an empty one is the section's own value, kept under ".".
constexpr char OwnValueKey[] = ".";

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString Key(std::string_view section, std::string_view ident) {
    std::string name = EscapeConfigName(ident);
    if (name.empty())
        name = OwnValueKey;
    else if (name == OwnValueKey)
        name = "%2E";
    return section.empty() ? Text(name) : Text(section) + "/" + Text(name);
}

bool Lock(QLockFile& lock, const QString& configFile) {
    QDir().mkpath(QFileInfo(configFile).absolutePath());
    // Stale means "its process is gone", never "held for long": a pass may wait behind a slow one.
    lock.setStaleLockTime(0);
    return lock.lock();
}

std::string LowerCase(const std::string& s) {
    std::string lower = s;
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

}  // namespace

QString DefaultConfigFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Korvane Software/WinFretlo.ini";
}

QString ConfigLockFile(const QString& configFile) {
    return QFileInfo(configFile).absolutePath() + "/" + LockName;
}

TConfigIniFile::TConfigIniFile(const QString& file)
    : lock_(ConfigLockFile(file)), locked_(Lock(lock_, file)), settings_(file, QSettings::IniFormat) {}

TConfigIniFile::~TConfigIniFile() { settings_.sync(); }

std::optional<std::string> TConfigIniFile::ReadString(std::string_view section,
                                                      std::string_view ident) const {
    const QVariant value = settings_.value(Key(section, ident));
    if (!value.isValid() || value.typeId() == QMetaType::QByteArray) return std::nullopt;
    // A hand-edited value with commas comes back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(",").toStdString();
    return value.toString().toStdString();
}

std::optional<std::vector<uint8_t>> TConfigIniFile::ReadBinary(std::string_view section,
                                                               std::string_view ident) const {
    const QVariant value = settings_.value(Key(section, ident));
    if (value.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void TConfigIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    settings_.setValue(Key(section, ident), Text(value));
}

void TConfigIniFile::WriteBinary(std::string_view section, std::string_view ident,
                                 std::span<const uint8_t> value) {
    settings_.setValue(Key(section, ident), QByteArray(reinterpret_cast<const char*>(value.data()),
                                                       static_cast<qsizetype>(value.size())));
}

std::vector<std::string> TConfigIniFile::SectionNames(std::string_view section) const {
    settings_.beginGroup(Text(section));
    const QStringList groups = settings_.childGroups();
    settings_.endGroup();
    std::vector<std::string> names;
    for (const QString& group : groups) names.push_back(UnescapeConfigName(group.toStdString()));
    std::ranges::stable_sort(names, {}, LowerCase);
    return names;
}

void TConfigIniFile::EraseSection(std::string_view section) { settings_.remove(Text(section)); }

std::optional<std::vector<std::string>> TConfigIniFile::ValueIdents(std::string_view section) const {
    settings_.beginGroup(Text(section));
    const QStringList keys = settings_.childKeys();
    const bool exists = !keys.isEmpty() || !settings_.childGroups().isEmpty();
    settings_.endGroup();
    if (!exists) return std::nullopt;
    std::vector<std::string> idents;
    for (const QString& key : keys)
        idents.push_back(key == OwnValueKey ? std::string() : UnescapeConfigName(key.toStdString()));
    return idents;
}

void TConfigIniFile::EraseValue(std::string_view section, std::string_view ident) {
    settings_.remove(Key(section, ident));
}

bool TConfigIniFile::Flush() {
    settings_.sync();
    // A format error met while reading stays reported, but the file was written whole all the same.
    return settings_.status() != QSettings::AccessError;
}

}  // namespace fretlo
