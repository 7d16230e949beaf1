#include "shell/ProgramData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace fretlo {

QString ProgramDataFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    // bin/fretlo when installed; src/app/fretlo (or tests/shell/...) in the build tree.
    const QString installed = QDir::cleanPath(program.filePath("../share/fretlo"));
    for (const QString& candidate : {installed, QDir::cleanPath(program.filePath("../../share/fretlo"))}) {
        if (QFileInfo(candidate).isDir()) return candidate;
    }
    return installed;
}

}  // namespace fretlo
