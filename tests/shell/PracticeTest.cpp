// The practice tools in the real window: a looped selection played with F5, the Speed
// dialog's checks, the speed keys, and the choices kept in the settings.
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest/QTest>

#include "playback/MidiRecorder.h"
#include "shell/Config.h"
#include "shell/MainFormFixture.h"
#include "shell/SpeedDialog.h"

namespace fretlo::test {
namespace {

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
    QTRY_VERIFY_WITH_TIMEOUT((cursor.push_back(View().Cursor().Space), highlight.push_back(View().HighlightedSpace(0)),
                              jumpedBack(cursor) && jumpedBack(highlight)),
                             10000);
    Press(Qt::Key_F8);
    for (int s : cursor) EXPECT_TRUE(s >= 16 && s < 48) << "cursor left the loop at space " << s;
    for (int s : highlight) EXPECT_TRUE(s == -1 || (s >= 16 && s < 48)) << "highlight at space " << s;
    EXPECT_FALSE(Doc().Modified);
}

TEST_F(Practice, WithoutASelectionTheCursorsBarIsLooped) {
    Action("&Loop Selection")->trigger();
    MoveCursor(0, 37);
    EXPECT_EQ(View().LoopMark(), (TTimeRange{Doc().Bar(2).Start, Doc().Bar(2).End}));
    Action("&Loop Selection")->trigger();
    EXPECT_EQ(View().LoopMark(), std::nullopt);
}

struct TSpeedCase {
    const char* Name;
    bool Trainer;
    int Start, Target;
    const char* TypedSpeed;  // typed into the speed box and not yet confirmed
    bool Accepted;
    int Speed;  // as accepted
};

[[maybe_unused]] void PrintTo(const TSpeedCase& c, std::ostream* os) { *os << c.Name; }

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
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
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
    EXPECT_FALSE(Doc().Modified);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpeedDialogCase,
    testing::Values(TSpeedCase{"SlowerSpeed", false, 50, 100, "75", true, 75},
                    TSpeedCase{"RisingTrainer", true, 60, 100, "100", true, 100},
                    TSpeedCase{"TrainerHeldAtOneSpeed", true, 80, 80, "100", true, 100},
                    TSpeedCase{"FallingTrainerRefused", true, 120, 80, "100", false, 0},
                    TSpeedCase{"FallingTrainerValuesWhileOff", false, 120, 80, "90", true, 90}),
    [](const testing::TestParamInfo<TSpeedCase>& info) { return info.param.Name; });

// Even when the step lands on the chosen speed: the trainer plays at another.
TEST_F(Practice, SpeedKeysStepFromTheTrainersSpeed) {
    View().SetMidiDevices(&recorder);
    OnNextModal([](QWidget* modal) {
        modal->findChild<QCheckBox*>()->setChecked(true);
        Field(*modal, "Sta&rt speed:")->setValue(95);
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
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
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
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
    EXPECT_EQ(TrainerSpeed(*choice.Trainer, 2), 55);
    EXPECT_EQ(TrainerSpeed(*choice.Trainer, 3), 70);
    EXPECT_EQ(TrainerSpeed(*choice.Trainer, 60), 130);
}

}  // namespace
}  // namespace fretlo::test
