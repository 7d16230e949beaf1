#include "platform/qt/ProcessMarker.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fretlo {

QString ProcessMarkerPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath("WinFretloProcess");
}

TProcessMarker::TProcessMarker(const QString& path) {
    // Not inherited: a program started from Fretlo must not keep the marker after Fretlo ends.
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0 && ::flock(fd_, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

TProcessMarker::~TProcessMarker() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace fretlo
