// THelpWindow: the program's own help viewer, showing the HTML pages of the data folder's
// "help" folder by context number.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace fretlo {

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QString helpFolder, QWidget* parent = nullptr);

    // Shows the page of a context (hcDefaultTopic: the contents) and brings the window to the
    // front; false when that page is not installed. Opened while a dialog is modal, it
    // belongs to that dialog, so it can be scrolled and its links followed.
    bool ShowContext(int context);

private:
    void StayUsableOverModal();

    QString folder_;
    QTextBrowser* browser_;
};

}  // namespace fretlo
