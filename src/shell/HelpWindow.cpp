#include "shell/HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"

namespace fretlo {

THelpWindow::THelpWindow(QString helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(std::move(helpFolder)), browser_(new QTextBrowser(this)) {
    setWindowTitle(QString(AppTitle) + " Help");
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({folder_});

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* back = bar->addAction("&Back", browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction("&Forward", browser_, &QTextBrowser::forward);
    bar->addAction("&Contents", this, [this] { ShowContext(hcDefaultTopic); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(browser_->documentTitle().isEmpty() ? QString(AppTitle) + " Help"
                                                           : browser_->documentTitle());
    });

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(bar);
    box->addWidget(browser_);
    resize(720, 560);
}

bool THelpWindow::ShowContext(int context) {
    const QString page = QString::fromStdString(HelpPageOf(context));
    const QString file = folder_ + "/" + page.section('#', 0, 0);
    if (!QFileInfo(file).isFile()) return false;
    QUrl url = QUrl::fromLocalFile(file);
    url.setFragment(page.section('#', 1));
    browser_->setSource(url);
    StayUsableOverModal();
    show();
    raise();
    activateWindow();
    return true;
}

// A modal dialog blocks the input of every other window but its transient children. Whether
// a window is blocked is settled when it is shown, so a shown window is hidden first.
void THelpWindow::StayUsableOverModal() {
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal && modal != this ? modal->windowHandle() : nullptr;
    winId();  // the window handle exists from here on
    if (windowHandle()->transientParent() == owner) return;
    if (isVisible()) hide();
    windowHandle()->setTransientParent(owner);
}

}  // namespace fretlo
