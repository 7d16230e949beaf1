// The View menu: the toolbars, the menu bar's row and the status bar.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "shell/Main.h"

namespace fretlo {

void TMainForm::ConnectViewCommands() {
    connect(VTMain, &QAction::triggered, MainToolbar, &QToolBar::setVisible);
    connect(VTPlay, &QAction::triggered, PlayToolbar, &QToolBar::setVisible);
    connect(VTMenuBarSpansRow, &QAction::triggered, this, [this](bool on) { SetMenuBarSpansRow(on); });
    connect(VStatusBar, &QAction::triggered, this, [this](bool on) { statusBar()->setVisible(on); });
    VMenuShow();
}

void TMainForm::VMenuShow() {
    VTMain->setChecked(!MainToolbar->isHidden());
    VTPlay->setChecked(!PlayToolbar->isHidden());
    VTMenuBarSpansRow->setChecked(MenuBarSpansRow());
    VStatusBar->setChecked(!statusBar()->isHidden());
}

// The Toolbars submenu as a pop-up over the docks and toolbars.
QMenu* TMainForm::createPopupMenu() {
    VMenuShow();
    auto* menu = new QMenu(this);
    menu->addActions({VTMain, VTPlay});
    menu->addSeparator();
    menu->addAction(VTMenuBarSpansRow);
    return menu;
}

// Spanning the row is a toolbar break after the menu bar; without it the toolbar that follows
// the menu bar in the top dock shares its row.
void TMainForm::SetMenuBarSpansRow(bool on) {
    menuBarSpansRow_ = on;
    VTMenuBarSpansRow->setChecked(on);
    if (toolBarArea(MenuBarToolbar) != Qt::TopToolBarArea) return;
    QToolBar* next = nullptr;
    for (QToolBar* bar : {MainToolbar, PlayToolbar}) {
        if (toolBarArea(bar) != Qt::TopToolBarArea) continue;
        // Laid-out bars are ordered by their place; before the first layout the designed order holds.
        const auto before = [](const QToolBar* a, const QToolBar* b) {
            return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
        };
        if (!next || (isVisible() && before(bar, next))) next = bar;
    }
    if (!next) return;
    if (on && !toolBarBreak(next)) insertToolBarBreak(next);
    if (!on && toolBarBreak(next)) removeToolBarBreak(next);
}

}  // namespace fretlo
