#include "shell/ImportMidiTool.h"

#include <QDir>
#include <QFileInfo>

namespace fretlo {

QString ImportToolPath(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const char* place : {".", "../libexec/fretlo", "../importer"}) {
        const QFileInfo tool(QDir::cleanPath(folder.filePath(place) + '/' + ImportToolName));
        if (tool.isFile() && tool.isExecutable()) return tool.filePath();
    }
    return {};
}

}  // namespace fretlo
