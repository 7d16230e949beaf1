// The help window never outlives the main window, and help opened from a dialog (its Help
// button or F1) takes the mouse while that dialog is still open.
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest/QTest>

#include "shell/HelpContexts.h"
#include "shell/MainFormFixture.h"
#include "shell/TempoDialog.h"

namespace fretlo::test {
namespace {

QTextBrowser* ShownHelp() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = w->findChild<QTextBrowser*>(); b && w->isVisible()) return b;
    return nullptr;
}

// The middle of the first link to another page that the browser shows, in its viewport.
QPoint FirstPageLink(QTextBrowser& browser, QString* href) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString target = fragment.charFormat().anchorHref();
            if (!fragment.charFormat().isAnchor() || !target.contains(".html")) continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            const QPoint point = browser.cursorRect(cursor).center();
            if (!browser.viewport()->rect().contains(point)) continue;
            *href = target.section('#', 0, 0);
            return point;
        }
    }
    return {};
}

using HelpWindow = MainFormTest;

TEST_F(HelpWindow, ClosesWithTheMainWindow) {
    Form().show();
    Form().ShowHelp(hcDefaultTopic);
    ASSERT_NE(ShownHelp(), nullptr);
    EXPECT_TRUE(Form().close());
    EXPECT_EQ(ShownHelp(), nullptr);
}

class HelpFromDialog : public MainFormTest, public testing::WithParamInterface<bool> {};

TEST_P(HelpFromDialog, FollowsLinksWhileTheDialogIsOpen) {
    const bool byKey = GetParam();
    Form().show();
    QString href;
    QString followed;
    bool dialogStillOpen = false;
    OnNextModal([&](QWidget* modal) {
        auto& dialog = *qobject_cast<TTempoForm*>(modal);
        if (byKey) {
            // The shortcut belongs to the dialog's window, which must be the active one.
            dialog.activateWindow();
            if (!QTest::qWaitForWindowActive(&dialog)) return dialog.reject();
            QTest::keyClick(dialog.windowHandle(), Qt::Key_F1);
        } else {
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
        }
        QTextBrowser* browser = ShownHelp();
        if (!browser) return dialog.reject();
        const QPoint link = FirstPageLink(*browser, &href);
        // Through the window, as the window system delivers it: a blocked window drops it.
        QWidget* window = browser->window();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, browser->viewport()->mapTo(window, link));
        followed = browser->source().fileName();
        dialogStillOpen = dialog.isVisible();
        browser->window()->close();
        dialog.reject();
    });
    Form().STempoClick();
    ASSERT_FALSE(href.isEmpty()) << "no help page with a link was shown";
    EXPECT_EQ(followed.toStdString(), href.toStdString());
    EXPECT_TRUE(dialogStillOpen);
}

INSTANTIATE_TEST_SUITE_P(ButtonAndKey, HelpFromDialog, testing::Bool(),
                         [](const auto& info) { return info.param ? "F1" : "HelpButton"; });

}  // namespace
}  // namespace fretlo::test
