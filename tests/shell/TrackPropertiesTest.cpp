// The track properties dialog on the offscreen platform: the kinds with their presets from
// the store, the questions and refusals of OK, keyboard use, the tuner, and the main window's
// ways to open it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "ParamName.h"
#include "playback/MemorySettingsStore.h"
#include "shell/Config.h"
#include "shell/ShellTestSupport.h"
#include "shell/SliderBox.h"
#include "shell/TrackPropertiesDialog.h"
#include "view/Tuner.h"

namespace fretlo::test {
namespace {

class TrackPropertiesDialog : public testing::Test {
protected:
    QTemporaryDir dir_;
    QString configFile_ = dir_.filePath("WinFretlo.ini");
    TConfigSettingsStore configStore_{configFile_};
    TSettingsStore* store_ = &configStore_;
    TCustomTabDoc doc_;
    int stops_ = 0;

    void SetUp() override { doc_.New(16); }
    TTrackData& Track(int t = 0) { return doc_.Track(t); }

    std::unique_ptr<TTrackPropertiesForm> Open(int track = 0) {
        auto form = std::make_unique<TTrackPropertiesForm>(
            nullptr,
            TTrackPropsSetup{doc_, Track(track), track, false, true, *store_, [this] { ++stops_; }, {}});
        form->show();
        return form;
    }
    static void Pick(TTrackPropertiesForm& form, const QString& kind) {
        Named<QRadioButton>(&form, kind)->click();
    }
    static QListWidget& Presets(TTrackPropertiesForm& form) {
        return *Named<QListWidget>(&form, "Preset Tunings");
    }
};

// The presets' rules are in TuningPresetStoreTest: here the dialog shows them, writes the
// built-ins through the real INI file, and follows the kind picked.
TEST_F(TrackPropertiesDialog, AFreshProfileGetsTheBuiltInsOfEachKindOpened) {
    auto form = Open();
    EXPECT_EQ(form->windowTitle(), "Track 1 Properties");
    QListWidget& list = Presets(*form);
    ASSERT_EQ(list.count(), 7);
    EXPECT_EQ(list.currentItem()->text(), "(Standard)");
    EXPECT_TRUE(list.currentItem()->font().bold());
    EXPECT_EQ(TConfigIniFile(configFile_).ReadString("Tunings/#6-0", ""), "(Standard)");
    EXPECT_EQ(Named<QComboBox>(form.get(), "MIDI Channel")->itemText(0), "Automatically assign - 1");

    Pick(*form, "7 - Guitar");
    EXPECT_TRUE(form->Tuner(6)->isVisibleTo(form.get()));
    EXPECT_FALSE(list.currentItem()->font().bold());  // no default preset for seven strings
}

TEST_F(TrackPropertiesDialog, DrumsShowTheKitsNamesAndOkWritesTheTrack) {
    auto form = Open();
    Pick(*form, "6 - Drums");
    EXPECT_EQ(Named<QComboBox>(form.get(), "MIDI Channel")->currentText(), "10 (Drums)");
    EXPECT_EQ(form->Tuner(0)->OnHint(*form->Tuner(0)), "35 - Acoustic Bass Drum");
    form->Tuner(0)->SetNote(20);
    EXPECT_EQ(form->Tuner(0)->OnHint(*form->Tuner(0)), "20 - ?");
    EXPECT_EQ(Presets(*form).currentRow(), -1);  // off every preset
    EXPECT_FALSE(Named<QAbstractButton>(form.get(), "Set Default")->isEnabled());

    Named<QLineEdit>(form.get(), "Transpose")->setText("12");
    Named<QComboBox>(form.get(), "Transpose direction")->setCurrentText("down");
    ClickOk(*form);
    EXPECT_TRUE(form->Changed());
    EXPECT_EQ(std::tuple(Track().Variant, Track().MidiChannel, Track().StringBaseKey(0), Track().Transpose),
              std::tuple(1, 9, 20, -12));
    EXPECT_EQ(stops_, 1);
}

TEST_F(TrackPropertiesDialog, FewerStringsAskOnceAndNoKeepsTheDialogOpen) {
    Track().StringCount = 7;
    Track().Variant = 0;
    Track().Space(2).Notes[6] = NoteFretBase + 3;
    auto form = Open();
    Pick(*form, "6 - Guitar");
    {
        const TMessages no(QMessageBox::No);
        ClickOk(*form);
        EXPECT_EQ(no.Texts.size(), 1);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Track().StringCount, 7);
    const TMessages yes(QMessageBox::Yes);
    ClickOk(*form);
    EXPECT_EQ(Track().StringCount, 6);
}

struct TRefusal {
    const char* Field;
    const char* Text;
    const char* Message;
};
void PrintTo(const TRefusal& r, std::ostream* os) { *os << r.Field << " '" << r.Text << "'"; }
class RefusedField : public TrackPropertiesDialog, public testing::WithParamInterface<TRefusal> {};

TEST_P(RefusedField, ShowsItsMessageOnItsPageAndChangesNothing) {
    const TRefusal& r = GetParam();
    doc_.AddTrack(std::make_unique<TTrackData>(false, 16));
    Track(1).MidiChannel = 4;
    auto form = Open();
    auto* field = Named<QWidget>(form.get(), r.Field);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->setText(r.Text);
    if (auto* list = qobject_cast<QComboBox*>(field)) list->setCurrentIndex(QString(r.Text).toInt());
    const TMessages messages;
    ClickOk(*form);
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].startsWith(r.Message)) << messages.Texts[0].toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Changed() || doc_.Modified);
    EXPECT_TRUE(field->isVisible());  // its page is in front
    EXPECT_EQ(form->focusWidget(), field);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedField,
    // One row a field: the ranges themselves are checked in TrackPropertiesOpsTest.
    testing::Values(TRefusal{"Highest Number Allowed", "x", "Number must be between 24 and 99."},
                    TRefusal{"Transpose", "25", "Half-steps must be between 0 and 24."},
                    TRefusal{"MIDI Channel", "5", "MIDI channel 5 is already being used by track 2."}),
    PrintedName());

TEST_F(TrackPropertiesDialog, AStoreThatCannotBeWrittenIsReportedAndTheKindStays) {
    TMemorySettingsStore memory;
    memory.RefuseWrites = true;
    store_ = &memory;
    const TMessages messages(QMessageBox::Yes);
    auto form = Open();
    EXPECT_EQ(messages.Texts,
              QStringList{"Failed to create key \\Software\\Korvane Software\\WinFretlo\\Tunings\\#6-0."});
    EXPECT_EQ(Presets(*form).count(), 0);
    Pick(*form, "4 - Bass");  // a kind that cannot be loaded is not taken
    EXPECT_TRUE(Named<QRadioButton>(form.get(), "6 - Guitar")->isChecked());
}

TEST_F(TrackPropertiesDialog, SaveAsAddsAPresetTheListThenFollows) {
    auto form = Open();
    form->Tuner(0)->SetNote(39);
    auto answers = std::make_unique<TMessages>(QMessageBox::Yes, "  ");
    Named<QAbstractButton>(form.get(), "Save As...")->click();
    EXPECT_EQ(answers->Texts, QStringList{"You must enter a name."});
    answers = std::make_unique<TMessages>(QMessageBox::Yes, "Eb low");
    Named<QAbstractButton>(form.get(), "Save As...")->click();
    EXPECT_EQ(Presets(*form).currentItem()->text(), "Eb low");
    Named<QAbstractButton>(form.get(), "Save As...")->click();
    EXPECT_EQ(answers->Texts, QStringList{"A tuning named \"Eb low\" already exists. Replace it?"});

    Named<QAbstractButton>(form.get(), "Set Default")->click();
    EXPECT_EQ(TConfigIniFile(configFile_).ReadString("Tunings/#6-0", ""), "Eb low");
    Named<QAbstractButton>(form.get(), "Reset")->click();
    EXPECT_EQ(Presets(*form).count(), 7);
    EXPECT_EQ(Presets(*form).currentRow(), -1);  // the tuners still show Eb low
}

TEST_F(TrackPropertiesDialog, EveryControlIsNamedAndTheKeyboardReachesIt) {
    auto form = Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(form.get()) || !(w->focusPolicy() & Qt::TabFocus) || qobject_cast<QTabWidget*>(w))
            continue;
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
            << w->metaObject()->className();
    }

    // Tab goes down the strings, the highest first.
    form->Tuner(5)->setFocus();
    for (int slot = 4; slot >= 0; --slot) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), form->Tuner(slot));
    }
    EXPECT_EQ(form->Tuner(5)->accessibleName(), "String 1");
    // Access keys, also across the pages.
    QTest::keyClick(form.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Named<QLineEdit>(form.get(), "Highest Number Allowed"));
    QTest::keyClick(form.get(), Qt::Key_M, Qt::AltModifier);
    QTest::keyClick(form.get(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Named<QSlider>(form.get(), "Volume"));
}

TEST(ConfigSettingsStore, KeysAreListedAndAFileThatCannotBeWrittenRefusesThePass) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("not a folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const std::vector<TSettingsChange> pass = {
        {TSettingsChange::SetValue, "Tunings/#4-0", "", std::string("A/B")},
        {TSettingsChange::SetValue, "Tunings/#4-0", "A/B", std::vector<uint8_t>{1}},
        {TSettingsChange::SetValue, "Tunings/#4-0/Flags", "x", std::string()}};
    EXPECT_FALSE(TConfigSettingsStore(dir.filePath("not a folder/WinFretlo.ini")).Write(pass));
    TConfigSettingsStore store(dir.filePath("WinFretlo.ini"));
    EXPECT_EQ(store.ReadValues("Tunings/#4-0"), std::nullopt);
    ASSERT_TRUE(store.Write(pass));
    EXPECT_EQ(store.ReadValues("Tunings/#4-0"),
              (TSettingsValues{{"", std::string("A/B")}, {"A/B", std::vector<uint8_t>{1}}}));
    ASSERT_TRUE(store.Write({{TSettingsChange::EraseValue, "Tunings/#4-0", "", {}},
                             {TSettingsChange::EraseValue, "Tunings/#4-0", "A/B", {}}}));
    EXPECT_TRUE(store.ReadValues("Tunings/#4-0"));  // its subkey keeps it
    ASSERT_TRUE(store.Write({{TSettingsChange::EraseKey, "Tunings/#4-0", {}, {}}}));
    EXPECT_EQ(store.ReadValues("Tunings/#4-0/Flags"), std::nullopt);
}

TEST(Tuner, StepsWithinTheKeyRangeByArrowKeysAndArrowZones) {
    TTuner tuner;
    tuner.resize(tuner.sizeHint());
    tuner.SetNote(1);
    for (const auto key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_Down}) QTest::keyClick(&tuner, key);
    EXPECT_EQ(tuner.Note(), 0);
    tuner.SetNote(126);
    for (const auto key : {Qt::Key_Up, Qt::Key_Right}) QTest::keyClick(&tuner, key);
    EXPECT_EQ(tuner.Note(), 127);
    QTest::mouseClick(&tuner, Qt::LeftButton, {}, QPoint(TTuner::ArrowZone - 1, 5));
    QTest::mouseClick(&tuner, Qt::LeftButton, {}, QPoint(TTuner::ArrowZone + 2, 5));  // the face
    EXPECT_EQ(tuner.Note(), 126);
    tuner.SetNote(300);
    EXPECT_EQ(tuner.Note(), 127);

    // Held in a zone it repeats until the button goes up.
    tuner.SetNote(60);
    QTest::mousePress(&tuner, Qt::LeftButton, {}, QPoint(2, 5));
    EXPECT_EQ(tuner.Note(), 59);
    QTest::qWait(TTuner::RepeatDelayMs + 3 * TTuner::RepeatIntervalMs);
    QTest::mouseRelease(&tuner, Qt::LeftButton, {}, QPoint(2, 5));
    const int released = tuner.Note();
    EXPECT_LT(released, 58);
    QTest::qWait(2 * TTuner::RepeatIntervalMs);
    EXPECT_EQ(tuner.Note(), released);
}

struct TFaceCase {
    int Note;
    bool Number;
    const char* Name;
    const char* Mark;
};
void PrintTo(const TFaceCase& c, std::ostream* os) {
    if (c.Note < 0)
        *os << "no note";
    else
        *os << "note " << c.Note << (c.Number ? " as a number" : "");
}
class TunerFaces : public testing::TestWithParam<TFaceCase> {};
TEST_P(TunerFaces, NameInFlatsWithTheOctaveMark) {
    const TTunerFace face = TunerFace(GetParam().Note, GetParam().Number);
    EXPECT_EQ(face.Name, GetParam().Name);
    EXPECT_EQ(face.Mark, GetParam().Mark);
}
INSTANTIATE_TEST_SUITE_P(Keys, TunerFaces,
                         testing::Values(TFaceCase{40, false, "E", ""}, TFaceCase{64, false, "E", "+2"},
                                         TFaceCase{0, false, "C", "-3"}, TFaceCase{61, false, "Db", "+2"},
                                         TFaceCase{64, true, "64", ""},
                                         TFaceCase{-1, false, "", ""}),
                         PrintedName());

TEST(SliderBox, TheBoxMovesTheSliderWithinItsRange) {
    TSliderBox pair({0, 127, 8, 8, 3});
    pair.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pair));
    pair.Box()->setFocus();
    pair.Box()->selectAll();
    QTest::keyClicks(pair.Box(), "200");
    EXPECT_EQ(pair.Value(), 127);
    EXPECT_EQ(pair.Box()->text(), "200");  // the typing is left alone while the box has the focus
    pair.Box()->clear();
    QTest::keyClicks(pair.Box(), " x");
    EXPECT_EQ(pair.Value(), 0);
    pair.Slider()->setFocus();  // leaving the box shows the slider's value
    EXPECT_EQ(pair.Box()->text(), "0");
    pair.SetValue(64);
    EXPECT_EQ(pair.Box()->text(), "64");
}

class TrackPropertiesCommands : public MainFormTest {};

TEST_F(TrackPropertiesCommands, CtrlAOpensTheDialogAndAddTrackCancelAddsNothing) {
    QAction* command = Action("Track &Properties...");
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    View().SetCursorString(5);
    AcceptDialog<TTrackPropertiesForm>([](TTrackPropertiesForm& form) {
        EXPECT_EQ(form.windowTitle(), "Track 1 Properties");
        Named<QRadioButton>(&form, "4 - Bass")->click();
    });
    command->trigger();
    EXPECT_EQ(Doc().Track(0).StringCount, 4);
    EXPECT_EQ(View().Cursor().String, 3);
    EXPECT_TRUE(Doc().Modified);

    OnNextModal([](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "Add Track 2");
        static_cast<QDialog*>(modal)->reject();
    });
    Form().SAddTrackClick();
    EXPECT_EQ(Doc().TrackCount(), 1);
}

}  // namespace
}  // namespace fretlo::test
