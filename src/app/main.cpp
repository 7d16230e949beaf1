// fretlo: the tablature editor. Until the main window exists it shows the song
// named on the command line (or a new one) in the tablature view.
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <exception>

#include "document/TabDoc.h"
#include "view/TabView.h"

using namespace fretlo;

namespace {

// Opens `path` into `doc`; on failure shows the error and keeps a new song.
QString OpenSong(TCustomTabDoc& doc, const QString& path) {
    try {
        doc.LoadFromFile(path.toStdString());
        return QFileInfo(path).fileName();
    } catch (const std::exception& e) {
        QString text = QString::fromStdString(e.what());
        if (!text.isEmpty() && !text.endsWith('.') && !text.endsWith('!') && !text.endsWith('?')) text += '.';
        QMessageBox::critical(nullptr, "Fretlo", text);
        doc.New(16);
        return "Untitled";
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Fretlo");
    TCustomTabDoc doc;  // declared first: it outlives the view
    doc.New(16);
    const QStringList args = QApplication::arguments();
    const QString title = args.size() > 1 ? OpenSong(doc, args[1]) : QString("Untitled");

    auto* view = new TTabView;
    TTabContainer window(view);
    view->SetColors(StandardScheme);
    view->SetDocument(&doc);
    window.setWindowTitle(title + " - Fretlo");
    window.setMinimumSize(256, 256);
    window.resize(900, 600);
    window.show();
    view->setFocus();
    return QApplication::exec();
}
