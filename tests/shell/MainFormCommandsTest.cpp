// The real window's menus and settings: rules that follow the cursor, commands sent to the view
// as keys and characters, Time at Cursor, the pop-up menus, settings read once when the window
// is built and written once when it goes, the practice tools (a looped selection played with
// F5, the Speed dialog, the speed keys), a failed note preview, and the help window.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest/QTest>

#include "ParamName.h"
#include "edit/Clipboard.h"
#include "playback/MidiRecorder.h"
#include "shell/Config.h"
#include "shell/HelpContexts.h"
#include "shell/OptionsPlayPage.h"
#include "shell/ShellTestSupport.h"
#include "shell/SpeedDialog.h"
#include "shell/TempoDialog.h"

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
    create.hide();
    MoveCursor(0, 16);  // the first space of bar 2
    Action("Re&peat Open")->trigger();
    OpenMenu(Form(), "CMenu");
    EXPECT_TRUE(Action("&Bar Line\t|")->isChecked());
    EXPECT_TRUE(Action("Re&peat Open")->isChecked());
    EXPECT_FALSE(Action("&Repeat Close...")->isChecked());
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

// The edits themselves are in tests/edit; here the menu reaches them and Undo names the step.
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
    const std::vector<QAction*> expected = {Action("Cu&t"),
                                            Action("&Copy"),
                                            Action("&Paste"),
                                            nullptr,
                                            Action("Cle&ar"),
                                            nullptr,
                                            Action("Track &Properties...")};
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
        EXPECT_EQ(items->enabled,
                  (std::vector<bool>{false, false, clipboardHoldsSpaces, true, true, true, true}))
            << "clipboard holds spaces: " << clipboardHoldsSpaces;
    }
}

// --- Settings -----------------------------------------------------------------------------

using WindowSettings = MainFormTest;

TEST_F(WindowSettings, SwitchesAndToolbarsWrittenAtExitComeBackAtTheNextStart) {
    form_->show();
    Action("&Metronome")->trigger();
    Action("&Rewind After Stop")->trigger();
    Action("&All Tracks")->trigger();
    Form().findChild<QAction*>("VTMenuBarSpansRow")->trigger();  // on by default: now off
    Form().findChild<QAction*>("VTPlay")->trigger();
    EXPECT_FALSE(QFile::exists(config_)) << "nothing is written before the window goes";
    Close();
    const TSettings stored = LoadSettings(config_);
    EXPECT_EQ(stored.PlayNotesWhileEditing, pnAllTracks);
    EXPECT_FALSE(stored.MenuBarSpansRow);

    Open();
    form_->show();
    EXPECT_TRUE(Action("&Metronome")->isChecked());
    EXPECT_TRUE(View().PlayerSettings().MetronomeOn);
    EXPECT_TRUE(View().RewindAfterStop());
    EXPECT_TRUE(Form().findChild<QToolBar*>("Play")->isHidden());
    EXPECT_FALSE(Form().findChild<QToolBar*>("Main")->isHidden());
}

// What the player reads at every beat comes from the Options dialog and the Metronome
// command, and one does not undo the other.
TEST_F(WindowSettings, MetronomeOptionsReachThePlayerAndKeepTheMetronomeSwitch) {
    Action("&Metronome")->trigger();
    AcceptDialog<TConfigForm>([](TConfigForm& dialog) {
        dialog.PlayPage().VolumeBar().setValue(50);
        dialog.PlayPage().DrumList().setCurrentIndex(76);
        for (QCheckBox* box : dialog.PlayPage().findChildren<QCheckBox*>())
            if (box->text() == "&Accent first beat of bar") box->setChecked(false);
    });
    Form().TConfigClick();
    const TPlayerSettings player = View().PlayerSettings();
    EXPECT_TRUE(player.MetronomeOn);
    EXPECT_EQ(std::tuple(player.MetronomeVolume, player.MetronomeDrum, player.MetronomeAccent),
              std::tuple(50, 76, false));
    Action("&Metronome")->trigger();
    EXPECT_EQ(View().PlayerSettings().MetronomeVolume, 50);
}

// The window's side of a failed note preview: its reason in the status bar, no modal box, and
// the keys typed after it still edit (and Ctrl+S still saves) the song.
TEST_F(WindowSettings, AFailedPreviewIsShownInTheStatusBarAndCtrlSStillSaves) {
    TMidiRecorder refusing;
    refusing.OpenError = "Connection refused";
    View().SetMidiDevices(&refusing);
    View().SetPreviewMode(TPreviewMode::CurrentTrack);
    Form().show();
    QApplication::setActiveWindow(&Form());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    Doc().SaveToFile(Path("song.frl").toStdString());
    QTest::keyClicks(&View(), "1");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Form().statusBar()->currentMessage(), "Could not open the MIDI output. Connection refused");
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Doc().Modified);
    View().CloseDevice();
}

// --- Practice -----------------------------------------------------------------------------

class Practice : public MainFormTest {
protected:
    void TearDown() override {
        if (form_) View().CloseDevice();  // before the recorder goes
    }
    void ShowActive() {
        Form().show();
        QApplication::setActiveWindow(&Form());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&View(), key, modifiers);
    }
    QString SpeedPanel() { return Form().statusBar()->findChildren<QLabel*>().at(7)->text(); }
    int SpeedBox() { return Form().findChild<QSpinBox*>()->value(); }

    TMidiRecorder recorder;
};

// The spin box of the dialog whose label reads `caption`.
QSpinBox* Field(QWidget& dialog, const QString& caption) {
    for (auto* label : dialog.findChildren<QLabel*>())
        if (label->text() == caption) return qobject_cast<QSpinBox*>(label->buddy());
    ADD_FAILURE() << "no field " << caption.toStdString();
    return nullptr;
}

// Two bars selected from the cursor's bar on, played with F5: the cursor and the note highlight
// go through the two bars, and from their end back to the start instead of into the next bar.
TEST_F(Practice, ALoopedSelectionJumpsBackAtItsEnd) {
    View().SetMidiDevices(&recorder);
    TViewOptions options = View().Options();
    options.HighlightNotes = true;
    View().SetOptions(options);
    Doc().Tempo = 480;
    for (int s = 0; s < 4 * 16; ++s) Doc().Track(0).Space(s).Notes[0] = NoteFretBase + 2;
    ShowActive();
    MoveCursor(0, 16);
    for (int i = 0; i < 32; ++i) Press(Qt::Key_Right, Qt::ShiftModifier);
    const TTimeRange twoBars{Doc().Bar(1).Start, Doc().Bar(2).End};
    ASSERT_EQ(View().Cursor().Space, 32 + 16);
    EXPECT_EQ(View().LoopMark(), std::nullopt) << "no mark while Loop Selection is off";
    Action("&Loop Selection")->trigger();
    EXPECT_EQ(View().LoopMark(), twoBars);

    Press(Qt::Key_F5);
    ASSERT_TRUE(View().IsPlaying());
    EXPECT_FALSE(View().HasSelection());
    EXPECT_EQ(View().LoopMark(), twoBars) << "the ruler keeps the loop after the selection went";
    QTRY_VERIFY(View().Cursor().Space < 24);  // a start outside the loop starts at its start
    std::vector<int> cursor, highlight;
    const auto jumpedBack = [](const std::vector<int>& seen) {
        const auto late = std::find_if(seen.begin(), seen.end(), [](int s) { return s >= 40; });
        return std::find_if(late, seen.end(), [](int s) { return s >= 16 && s < 24; }) != seen.end();
    };
    QTRY_VERIFY_WITH_TIMEOUT((cursor.push_back(View().Cursor().Space),
                              highlight.push_back(View().HighlightedSpace(0)),
                              jumpedBack(cursor) && jumpedBack(highlight)),
                             10000);
    Press(Qt::Key_F8);
    for (int s : cursor) EXPECT_TRUE(s >= 16 && s < 48) << "cursor left the loop at space " << s;
    for (int s : highlight) EXPECT_TRUE(s == -1 || (s >= 16 && s < 48)) << "highlight at space " << s;

    MoveCursor(0, 37);  // without a selection the cursor's bar is looped
    EXPECT_EQ(View().LoopMark(), (TTimeRange{Doc().Bar(2).Start, Doc().Bar(2).End}));
}

struct TSpeedCase {
    const char* name;
    bool Trainer;
    int Start, Target;
    const char* TypedSpeed;  // typed into the speed box and not yet confirmed
    bool Accepted;
    int Speed;  // as accepted
};
FRETLO_PRINT_AS_NAME(TSpeedCase)

class SpeedDialogCase : public Practice, public testing::WithParamInterface<TSpeedCase> {};

// OK either takes every value, what is still being typed too, or refuses and keeps the dialog.
TEST_P(SpeedDialogCase, OkTakesTheValuesOrRefusesAFallingTrainer) {
    const TSpeedCase& c = GetParam();
    bool stayedOpen = false;
    QString refusal;
    OnNextModal([&](QWidget* modal) {
        Field(*modal, "&Speed:")->selectAll();
        QTest::keyClicks(Field(*modal, "&Speed:"), c.TypedSpeed);
        modal->findChild<QCheckBox*>()->setChecked(c.Trainer);
        Field(*modal, "Sta&rt speed:")->setValue(c.Start);
        Field(*modal, "T&arget speed:")->setValue(c.Target);
        if (!c.Accepted) AnswerMessage(QMessageBox::Ok, &refusal);
        ClickOk(*modal);
        stayedOpen = modal->isVisible();
        if (stayedOpen) static_cast<QDialog*>(modal)->reject();
    });
    Action("Spee&d...")->trigger();
    EXPECT_EQ(stayedOpen, !c.Accepted);
    if (!c.Accepted) {
        EXPECT_EQ(refusal, "The target speed must not be below the start speed.");
        EXPECT_EQ(Form().Settings().Practice.Speed, NormalSpeed);
        return;
    }
    EXPECT_EQ(Form().Settings().Practice.TrainerStart, c.Start);
    EXPECT_EQ(View().Practice().Speed, c.Speed);
    EXPECT_EQ(View().Practice().Trainer.has_value(), c.Trainer);
    EXPECT_EQ(SpeedBox(), c.Speed);
    EXPECT_EQ(SpeedPanel(), c.Speed == NormalSpeed ? "" : QString(" Speed: %1 %").arg(c.Speed));
}

INSTANTIATE_TEST_SUITE_P(Cases, SpeedDialogCase,
                         testing::Values(TSpeedCase{"SlowerSpeed", false, 50, 100, "75", true, 75},
                                         TSpeedCase{"TrainerHeldAtOneSpeed", true, 80, 80, "100", true, 100},
                                         TSpeedCase{"FallingTrainerRefused", true, 120, 80, "100", false, 0},
                                         TSpeedCase{"FallingTrainerValuesWhileOff", false, 120, 80, "90",
                                                    true, 90}),
                         PrintedName());

// Even when the step lands on the chosen speed: the trainer plays at another.
TEST_F(Practice, SpeedKeysStepFromTheTrainersSpeed) {
    View().SetMidiDevices(&recorder);
    OnNextModal([](QWidget* modal) {
        modal->findChild<QCheckBox*>()->setChecked(true);
        Field(*modal, "Sta&rt speed:")->setValue(95);
        ClickOk(*modal);
    });
    Action("Spee&d...")->trigger();
    ShowActive();
    ASSERT_TRUE(View().Play(false, false));
    ASSERT_EQ(View().PlayingPractice()->Speed, 95);
    EXPECT_EQ(SpeedPanel(), " Speed: 95 %, pass 1");
    Press(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(View().PlayingPractice()->Speed, NormalSpeed);
    EXPECT_EQ(SpeedPanel(), " Speed: 100 %, pass 1");
    Press(Qt::Key_Equal, Qt::ControlModifier);
    Press(Qt::Key_Minus, Qt::ControlModifier);
    Press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(View().PlayingPractice()->Speed, 95);
    Press(Qt::Key_F8);
}

TEST_F(Practice, ChoicesComeBackFromTheSettings) {
    Action("&Loop Selection")->trigger();
    Action("C&ount-in")->trigger();
    OnNextModal([](QWidget* modal) {
        Field(*modal, "&Speed:")->setValue(70);
        modal->findChild<QCheckBox*>()->setChecked(true);
        Field(*modal, "Sta&rt speed:")->setValue(55);
        Field(*modal, "Ste&p:")->setValue(15);
        Field(*modal, "&Every:")->setValue(3);
        Field(*modal, "T&arget speed:")->setValue(130);
        ClickOk(*modal);
    });
    Action("Spee&d...")->trigger();
    Close();
    EXPECT_EQ(LoadSettings(config_).Practice, (TPracticeSettings{true, true, 70, true, 55, 15, 3, 130}));
    Open();
    EXPECT_TRUE(Action("&Loop Selection")->isChecked() && Action("C&ount-in")->isChecked());
    EXPECT_EQ(SpeedBox(), 70);
    const TPracticeChoice& choice = View().Practice();
    EXPECT_TRUE(choice.LoopSelection && choice.CountIn);
    ASSERT_TRUE(choice.Trainer);
    EXPECT_EQ(TrainerSpeed(*choice.Trainer, 3), 70);  // 55 for passes 0 to 2, then 15 more
}

// --- Help ---------------------------------------------------------------------------------
// The help window opens a context's page, never outlives the main window, and help opened
// from a dialog (its Help button or F1) takes the mouse while that dialog is still open.

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

TEST_F(HelpWindow, OpensThePageOfAContextAndClosesWithTheMainWindow) {
    Form().show();
    Form().ShowHelp(hcKeyboard);
    QTextBrowser* browser = ShownHelp();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().toString().endsWith("keyboard.html#ctx1001"));
    EXPECT_TRUE(browser->toPlainText().contains("Ctrl+G"));
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
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          browser->viewport()->mapTo(window, link));
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
