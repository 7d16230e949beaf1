#include "importer/FretloLink.h"

#include <QDir>
#include <QProcess>

#include "platform/qt/InstanceChannel.h"

namespace fretlo {

bool TDesktopFretloLink::HandOver(const QString& songPath) { return HandOverToRunningInstance(songPath); }

bool TDesktopFretloLink::Start(const QString& songPath) {
    return QProcess::startDetached(QDir(programFolder_).filePath("fretlo"), {songPath});
}

}  // namespace fretlo
