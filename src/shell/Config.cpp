#include "shell/Config.h"

#include <QDir>
#include <QFontDatabase>
#include <QStandardPaths>
#include <algorithm>

namespace fretlo {

namespace {

std::string LookUpDocumentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) return {};
    std::string path = QDir::cleanPath(QDir(folder).absolutePath()).toStdString();
    while (!path.empty() && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

const std::string& DocumentsFolder() {
    static const std::string folder = LookUpDocumentsFolder();
    return folder;
}

std::string ExpandDocPath(std::string_view path) { return ExpandDocPath(path, DocumentsFolder()); }

std::string CollapseDocPath(std::string_view path) { return CollapseDocPath(path, DocumentsFolder()); }

bool IsInstalledFont(const std::string& family) {
    const auto isDefault = [&](const TFontRow& row) { return row.Default.Name == family; };
    return QFontDatabase::hasFamily(QString::fromStdString(family)) ||
           std::ranges::any_of(FontRows(), isDefault);
}

TSettings LoadSettings(const QString& file) { return ReadSettings(TConfigIniFile(file), IsInstalledFont); }

void SaveSettings(const TSettings& settings, const QString& file) {
    TConfigIniFile store(file);
    WriteSettings(settings, store);
}

}  // namespace fretlo
