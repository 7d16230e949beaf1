#include "shell/SongFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "base/ByteOrder.h"
#include "shell/Config.h"
#include "shell/ProgramData.h"

namespace fretlo {

namespace {

constexpr std::string_view LastInstallTime = "LastInstallTime";
constexpr qint64 StampBytes = 8;

// An 8-byte stamp (a count of 100 ns steps, little-endian), or nothing.
std::optional<uint64_t> Stamp(const std::optional<std::vector<uint8_t>>& bytes) {
    if (!bytes || bytes->size() != StampBytes) return std::nullopt;
    return GetU32(bytes->data()) | static_cast<uint64_t>(GetU32(bytes->data() + 4)) << 32;
}

std::optional<std::vector<uint8_t>> ReadStampFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != StampBytes) return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Moves every entry of `from` into `to`, merging folders; an entry whose name is taken there
// stays where it is.
void MoveEntries(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) return;
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir() && !entry.isSymLink()) {
            if (QDir().rename(entry.filePath(), target)) continue;
            MoveEntries(entry.filePath(), target);
            QDir().rmdir(entry.filePath());
        } else if (!QFileInfo::exists(target)) {
            QFile::rename(entry.filePath(), target);
        }
    }
}

}  // namespace

TSongFolders ProgramSongFolders() {
    return {ProgramDataFolder(), QCoreApplication::applicationDirPath(),
            QString::fromStdString(ExpandDocPath("<doc>/Fretlo Tabs"))};
}

void InstallDemoSongs(const TSongFolders& folders, TConfigValues& userStore) {
    const auto installBytes = ReadStampFile(QDir(folders.DataFolder).filePath("install-time"));
    const auto installed = Stamp(installBytes);
    if (!installed) return;
    const auto copied = Stamp(userStore.ReadBinary("", LastInstallTime));
    if (copied && *copied >= *installed) return;
    userStore.WriteBinary("", LastInstallTime, *installBytes);

    const QDir source(QDir(folders.DataFolder).filePath("Demo Songs"));
    if (!source.exists() || folders.TabsFolder.isEmpty()) return;
    const QString target = QDir(folders.TabsFolder).filePath("Demo Songs");
    QDir().mkpath(target);
    for (const QFileInfo& song : source.entryInfoList({"*.frl"}, QDir::Files))
        QFile::copy(song.filePath(), QDir(target).filePath(song.fileName()));
}

const char* const MigrationQuestion =
    "In this version of Fretlo, the default folder in which tab files are stored has changed.\n\n"
    "Previously, tabs were stored in a folder named \"Songs\" inside the Fretlo program folder. They are "
    "now stored in a folder named \"Fretlo Tabs\" inside your Documents folder.\n\n"
    "Would you like Fretlo to move your existing files over to the new folder? (It is recommended that you "
    "answer Yes.)";

void MigrateSongFolder(const TSongFolders& folders, const std::function<bool(const QString&)>& ask) {
    const QString old = QDir(folders.ProgramFolder).filePath("Songs");
    if (!QFileInfo(old).isDir()) return;
    for (const char* demo : {"Demo.frl", "Drum Demo.frl"}) QFile::remove(QDir(old).filePath(demo));
    if (QDir().rmdir(old) || folders.TabsFolder.isEmpty()) return;
    if (!ask(MigrationQuestion)) return;
    MoveEntries(old, folders.TabsFolder);
    QDir().rmdir(old);  // only when nothing was left behind
}

}  // namespace fretlo
