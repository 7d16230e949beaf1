#include "importer/FretloLink.h"

#include <QDir>
#include <QProcess>

namespace fretlo {

bool TDesktopFretloLink::HandOver(const QString& songPath) {
    return HandOverToRunningInstance(songPath, socketPath_);
}

bool TDesktopFretloLink::Start(const QString& songPath) {
    return QProcess::startDetached(QDir(programFolder_).filePath("fretlo"), {songPath});
}

}  // namespace fretlo
