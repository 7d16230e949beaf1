#include "shell/AboutBox.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QUrl>

#include "shell/MainFormRules.h"
#include "shell/ToolbarGlyphs.h"

namespace fretlo {

namespace {

QString LinkHtml(const char* color) {
    return QString("<a href=\"%1\" style=\"color:%2; text-decoration:underline\">%1</a>")
        .arg(WebSiteText, color);
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString("About ") + AppTitle);
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(48, 48));
    auto* version = new QLabel(AppVersionText, this);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    // A link drawn in blue that turns purple once visited, opened by the desktop's browser.
    auto* link = new QLabel(LinkHtml("blue"), this);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QLabel::linkActivated, this, [link](const QString& url) {
        link->setText(LinkHtml("purple"));
        QDesktopServices::openUrl(QUrl(url));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(link, 1, 1);
    grid->setColumnMinimumWidth(0, 64);
    grid->setRowMinimumHeight(2, 8);
    grid->addWidget(buttons, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace fretlo
