// fretlo: the tablature editor.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Fretlo");
    QWidget window;
    window.setWindowTitle("Untitled - Fretlo");
    window.setMinimumSize(256, 256);
    window.resize(900, 600);
    window.show();
    return QApplication::exec();
}
