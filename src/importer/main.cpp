// fretlo-midi-import [FILE.mid]: the window that turns a MIDI file into a Fretlo song and
// opens it in Fretlo, which is looked for in this program's folder.
#include <QApplication>

#include "importer/ImportWindow.h"

using namespace fretlo;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(ImporterTitle);
    TDesktopFretloLink fretlo(QApplication::applicationDirPath());
    TImportWindow window(fretlo);
    window.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.OpenMidiFile(arguments[1]);
    return QApplication::exec();
}
