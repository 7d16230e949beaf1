// Menu rules that follow the cursor, commands sent to the view as keys and characters, Time at
// Cursor, help by context number and the editor's pop-up menu.
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTextBrowser>
#include <QtTest/QTest>

#include "edit/Clipboard.h"
#include "shell/HelpContexts.h"
#include "shell/MainFormFixture.h"

namespace fretlo::test {
namespace {

using MenuCommands = MainFormTest;

QMenu& OpenMenu(TMainForm& form, const char* name) {
    QMenu& menu = *form.findChild<QMenu*>(name);
    menu.popup(QPoint(0, 0));
    return menu;
}

TEST_F(MenuCommands, CreateMenuFollowsTheCursorsBar) {
    QMenu& create = OpenMenu(Form(), "CMenu");
    EXPECT_FALSE(Action("&Bar Line\t|")->isEnabled());  // time 0
    EXPECT_FALSE(Action("Staff Brea&k")->isEnabled());  // bar 0 without a staff break
    create.hide();

    MoveCursor(0, 16);  // the first space of bar 2
    Action("Re&peat Open")->trigger();
    OpenMenu(Form(), "CMenu");
    EXPECT_TRUE(Action("&Bar Line\t|")->isEnabled());
    EXPECT_TRUE(Action("&Bar Line\t|")->isChecked());
    EXPECT_TRUE(Action("Re&peat Open")->isChecked());
    EXPECT_FALSE(Action("&Repeat Close...")->isChecked());
    EXPECT_TRUE(Action("Staff Brea&k")->isEnabled());
    create.hide();
    EXPECT_TRUE(Doc().Bar(1).RepeatStart);
}

TEST_F(MenuCommands, EffectItemsTypeTheCharacterAfterTheTab) {
    QTest::keyClicks(&View(), "5");
    Action("&Hammer On\tH")->trigger();
    EXPECT_EQ(Doc().Track(0).Space(0).Effects[0], 'h');
    Action("Slide &Down\t\\")->trigger();
    EXPECT_EQ(Doc().Track(0).Space(0).Effects[0], '\\');
    Action("&Muted String\tX")->trigger();
    EXPECT_EQ(Doc().Track(0).Space(0).Notes[0], NoteMuted);
}

TEST_F(MenuCommands, EditItemsSendTheirKeysAndUndoFollowsTheJournal) {
    QTest::keyClicks(&View(), "7");
    QAction* undo = nullptr;
    for (QAction* a : Form().findChildren<QAction*>())
        if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Z)) undo = a;
    ASSERT_NE(undo, nullptr);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_NE(undo->text(), "&Undo");         // names the step
    Action("Shift Notes &Right")->trigger();  // Insert
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[0], NoteFretBase + 7);
    MoveCursor(0, 1);
    Action("M&ove Note Up")->trigger();  // the same pitch on the A string
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[0], 0);
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[1], NoteFretBase + 2);
    undo->trigger();
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[0], NoteFretBase + 7);
}

TEST_F(MenuCommands, TimeAtCursorCountsTheSixteenthsBeforeTheCursor) {
    MoveCursor(0, 16);
    QString text;
    AnswerMessage(QMessageBox::Ok, &text);
    Action("&Time at Cursor")->trigger();
    EXPECT_EQ(text, "The time at the cursor position is:\n\n00:02.000");
}

TEST_F(MenuCommands, HelpOpensThePageOfAContext) {
    Form().ShowHelp(hcKeyboard);
    auto* browser = QApplication::topLevelWidgets().isEmpty() ? nullptr : [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = w->findChild<QTextBrowser*>(); b && w->isVisible()) return b;
        return static_cast<QTextBrowser*>(nullptr);
    }();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().toString().endsWith("keyboard.html#ctx1001"));
    EXPECT_TRUE(browser->toPlainText().contains("Ctrl+G"));
    browser->window()->close();
}

TEST_F(MenuCommands, PlayMenuSwitchesReachTheView) {
    Action("&Ignore Repeats")->trigger();
    EXPECT_TRUE(View().PlayerSettings().IgnoreRepeats);
    Action("&Off")->trigger();
    EXPECT_EQ(View().PreviewMode(), TPreviewMode::Off);
    Action("&Current Track")->trigger();
    EXPECT_EQ(View().PreviewMode(), TPreviewMode::CurrentTrack);
    EXPECT_FALSE(Action("&Stop")->isEnabled());
    EXPECT_FALSE(Action("&Close Device")->isEnabled());
}

// The actions of the next pop-up menu (null for a separator) and their enabled states; the
// menu is closed once read.
struct TPopupItems {
    std::vector<QAction*> actions;
    std::vector<bool> enabled;
};

std::shared_ptr<TPopupItems> ReadNextPopup() {
    auto items = std::make_shared<TPopupItems>();
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, items] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) return;
        timer->deleteLater();
        timer->stop();
        for (QAction* a : menu->actions()) {
            items->actions.push_back(a->isSeparator() ? nullptr : a);
            items->enabled.push_back(a->isEnabled());
        }
        menu->close();
    });
    timer->start(2);
    return items;
}

TEST_F(MenuCommands, TheEditorsPopupMenuHoldsTheWindowsOwnActions) {
    Form().show();
    const std::vector<QAction*> expected = {Action("Cu&t"), Action("&Copy"),   Action("&Paste"), nullptr,
                                            Action("Cle&ar"), nullptr, Action("Track &Properties...")};
    for (const bool clipboardHoldsSpaces : {false, true}) {
        auto* data = new QMimeData;
        if (clipboardHoldsSpaces)
            data->setData(ClipboardMimeType, QByteArray(4, '\0'));
        else
            data->setText("text");
        QApplication::clipboard()->setMimeData(data);
        const auto items = ReadNextPopup();
        const QPoint inMusic(View().width() / 2, View().height() / 3);
        QTest::mouseClick(&View(), Qt::RightButton, {}, inMusic);
        QTRY_VERIFY_WITH_TIMEOUT(!items->actions.empty(), 2000);
        EXPECT_EQ(items->actions, expected);
        EXPECT_EQ(items->enabled, (std::vector<bool>{false, false, clipboardHoldsSpaces, true, true, true, true}))
            << "clipboard holds spaces: " << clipboardHoldsSpaces;
    }
}

}  // namespace
}  // namespace fretlo::test
