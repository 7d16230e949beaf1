#include "importer/FretloLink.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace fretlo {

bool TDesktopFretloLink::HandOver(const QString& songPath) {
    return HandOverToRunningInstance(songPath, socketPath_);
}

// Installed, fretlo is beside the importer; in the build tree it is in src/app.
bool TDesktopFretloLink::Start(const QString& songPath) {
    const QDir folder(programFolder_);
    for (const char* place : {"fretlo", "../app/fretlo"}) {
        const QFileInfo fretlo(QDir::cleanPath(folder.filePath(place)));
        if (fretlo.isFile() && fretlo.isExecutable()) return QProcess::startDetached(fretlo.filePath(), {songPath});
    }
    return false;
}

}  // namespace fretlo
