// Menu rules that follow the cursor, commands sent to the view as keys and characters, Time at
// Cursor and help by context number.
#include <QMenu>
#include <QTextBrowser>
#include <QtTest/QTest>

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

TEST_F(MenuCommands, CommandsOfLaterPartsArePresentButDisabled) {
    for (const char* caption : {"&Print...", "Print Pre&view", "Page Set&up...",
                                "&Track Effects...\tF"})
        EXPECT_FALSE(Action(caption)->isEnabled()) << caption;
    for (const char* caption : {"&Export Text...", "Export &MIDI...", "&Time at Cursor", "&Options..."})
        EXPECT_TRUE(Action(caption)->isEnabled()) << caption;
}

}  // namespace
}  // namespace fretlo::test
