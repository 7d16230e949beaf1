// The track effects dialog on the offscreen platform: what it shows for a space, its focus,
// page and box rules, the checks of OK, keyboard use, and the main window's ways to open it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <set>

#include "ParamName.h"
#include "document/TrackProps.h"
#include "playback/TrackEffectHint.h"
#include "shell/ShellTestSupport.h"
#include "shell/SliderBox.h"
#include "shell/TempoDialog.h"
#include "shell/TempoTapDialog.h"
#include "shell/TrackEffectsDialog.h"

namespace fretlo::test {
namespace {

class TrackEffectsDialog : public testing::Test {
protected:
    TCustomTabDoc doc_;
    uint32_t now_ = 0;

    void SetUp() override { doc_.New(16); }
    TSpace& Space(int space) { return doc_.Track(0).Space(space); }

    std::unique_ptr<TTrackEffectsForm> Open(int space, TTrackEffectsMode mode = TTrackEffectsMode::Plain,
                                            bool repeat = false) {
        auto form = std::make_unique<TTrackEffectsForm>(
            nullptr, TTrackEffectsSetup{doc_, 0, space, mode, repeat, {}, [this] { return now_; }});
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }
    static QCheckBox* Box(QWidget* form, const QString& name) { return Named<QCheckBox>(form, name); }
    static QLineEdit* Edit(QWidget* form, const QString& name) { return Named<QLineEdit>(form, name); }
    static QString Page(QWidget* form) {
        const QTabWidget* pages = form->findChild<QTabWidget*>();
        return pages->tabText(pages->currentIndex()).remove('&');
    }
};

// The values in force and the latest effect are the editing core's (TrackSettingsTest); the
// dialog shows them, checks the space's own, and comes up on the latest one.
TEST_F(TrackEffectsDialog, ShowsTheValuesInForceAndChecksOnlyTheSpacesOwn) {
    SetProp(Space(2), pkTempo, 60);
    SetProp(Space(4), pkPitchBend, static_cast<uint16_t>(-1200));
    SetProp(Space(4), pkStrokeUp, 0);
    auto form = Open(4);
    EXPECT_EQ(form->windowTitle(), "Create Track Effects");
    EXPECT_EQ(Edit(form.get(), "Tempo")->text(), "60");
    EXPECT_FALSE(Edit(form.get(), "Tempo")->isEnabled());
    EXPECT_EQ(Named<QSlider>(form.get(), "Pitch Bend")->value(), -1200);
    EXPECT_TRUE(Box(form.get(), "Pitch Bend")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), Box(form.get(), "Stroke Up"));

    ClickOk(*form);
    TTrackEffectChoice expected;
    expected[pkStrokeUp] = 0;
    expected[pkPitchBend] = static_cast<uint16_t>(-1200);
    EXPECT_EQ(form->Choice(), expected);
}

TEST_F(TrackEffectsDialog, InstrumentWithoutRingAndWithBankFiveIsStoredWithItsBits) {
    auto form = Open(0, TTrackEffectsMode::Instrument);
    Named<QComboBox>(form.get(), "Instrument")->setCurrentIndex(30);
    Box(form.get(), "Let Notes Ring")->setChecked(false);
    QComboBox* bank = Named<QComboBox>(form.get(), "Bank");
    EXPECT_FALSE(bank->isEnabled());
    Box(form.get(), "Select Bank")->setChecked(true);
    EXPECT_TRUE(bank->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), bank);
    bank->setCurrentIndex(5);
    Box(form.get(), "Instrument")->setChecked(false);
    EXPECT_FALSE(bank->isEnabled());
    Box(form.get(), "Instrument")->setChecked(true);
    ClickOk(*form);
    EXPECT_EQ(form->Choice()[pkInstrument], 30 | 0x80 | 0x8000 | 0x500);
}

TEST_F(TrackEffectsDialog, StrokeBoxesExcludeEachOther) {
    auto form = Open(0);
    Box(form.get(), "Stroke Down")->click();
    Box(form.get(), "Stroke Up")->click();
    EXPECT_FALSE(Box(form.get(), "Stroke Down")->isChecked());
    Box(form.get(), "Stroke Down")->click();
    EXPECT_FALSE(Box(form.get(), "Stroke Up")->isChecked());
}

struct TModeRow {
    const char* name;
    TTrackEffectsMode mode;
    const char* page;
    const char* checked;  // the box the mode checks, "" for none
    const char* focus;    // the accessible name of the control with the focus
};
FRETLO_PRINT_AS_NAME(TModeRow)

class TrackEffectsMode : public TrackEffectsDialog, public testing::WithParamInterface<TModeRow> {};

TEST_P(TrackEffectsMode, OpensOnItsPageWithItsFocus) {
    auto form = Open(0, GetParam().mode);
    const TModeRow& row = GetParam();
    EXPECT_EQ(Page(form.get()), row.page);
    if (*row.checked) {
        EXPECT_TRUE(Box(form.get(), row.checked)->isChecked());
    }
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), row.focus);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TrackEffectsMode,
    testing::Values(TModeRow{"tempo", TTrackEffectsMode::Tempo, "General", "Tempo", "Tempo"},
                    TModeRow{"volume", TTrackEffectsMode::Volume, "General", "Volume", "Volume"},
                    TModeRow{"controllers", TTrackEffectsMode::Controllers, "MIDI Controllers", "",
                             "Pitch Bend"}),
    PrintedName());

TEST_F(TrackEffectsDialog, FSwitchesPagesUnlessAFieldTakesIt) {
    auto form = Open(0);
    Box(form.get(), "Volume")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F);
    EXPECT_EQ(Page(form.get()), "MIDI Controllers");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ShiftModifier);
    EXPECT_EQ(Page(form.get()), "General");
    Box(form.get(), "Tempo")->click();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F);
    EXPECT_EQ(Page(form.get()), "General");
}

struct TRefusalRow {
    const char* name;
    std::vector<std::pair<const char*, const char*>> typed;  // checked kind and the text of its field
    const char* message;
    const char* field;  // where the focus goes
};
FRETLO_PRINT_AS_NAME(TRefusalRow)

class TrackEffectsRefusal : public TrackEffectsDialog, public testing::WithParamInterface<TRefusalRow> {};

TEST_P(TrackEffectsRefusal, KeepsTheDialogOpenWithTheFieldInFront) {
    auto form = Open(0);
    for (const auto& [kind, text] : GetParam().typed) {
        Box(form.get(), kind)->setChecked(true);
        QLineEdit* edit = Edit(form.get(), kind);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    form->findChild<QTabWidget*>()->setCurrentIndex(0);
    TMessages messages;
    ClickOk(*form);
    EXPECT_EQ(messages.Texts, QStringList{GetParam().message});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->focusWidget(), Edit(form.get(), GetParam().field));
    EXPECT_TRUE(Edit(form.get(), GetParam().field)->isVisible());
}

// The tempo's range is ParseTempo's (MainFormRulesTest); the sliders' fields on both pages, in
// the order of the pages.
INSTANTIATE_TEST_SUITE_P(
    Rows, TrackEffectsRefusal,
    testing::Values(
        TRefusalRow{"tempo 29", {{"Tempo", "29"}}, "Tempo must be between 30 and 500.", "Tempo"},
        TRefusalRow{"pan 200", {{"Pan", "200"}}, "Pan must be between 0 and 127.", "Pan"},
        TRefusalRow{"pitch bend below",
                    {{"Pitch Bend", "-2401"}},
                    "Pitch Bend must be between -2400 and 2400.",
                    "Pitch Bend"},
        TRefusalRow{"tempo before the sliders",
                    {{"Chorus", "300"}, {"Tempo", "20"}},
                    "Tempo must be between 30 and 500.",
                    "Tempo"},
        TRefusalRow{"volume before chorus",
                    {{"Chorus", "300"}, {"Volume", "x"}},
                    "Volume must be between 0 and 127.",
                    "Volume"}),
    PrintedName());

TEST_F(TrackEffectsDialog, TapWritesItsTempoIntoTheSelectedField) {
    auto form = Open(0, TTrackEffectsMode::Tempo);
    OnNextModal([this](QWidget* modal) {
        for (int i = 0; i < 3; ++i, now_ += 400) QTest::keyClick(modal, Qt::Key_K);
        ClickOk(*qobject_cast<QDialog*>(modal));
    });
    QLineEdit* tempo = Edit(form.get(), "Tempo");
    Named<QPushButton>(form.get(), "Tap...")->click();
    tempo->setFocus();  // the tap button had it
    EXPECT_EQ(tempo->text(), "150");
    ClickOk(*form);
    EXPECT_EQ(form->Choice()[pkTempo], 150);
}

// Every control that takes the focus is named, and the access keys of each page with those of
// the tabs and the buttons below are unique.
TEST_F(TrackEffectsDialog, EveryControlIsNamedAndAccessKeysAreUniquePerPage) {
    auto form = Open(0);
    const auto* pages = form->findChild<QTabWidget*>();
    const auto key = [](const QString& text) {
        const auto at = text.indexOf(QRegularExpression("&[^&]"));
        return at < 0 ? QChar() : text[at + 1].toLower();
    };
    QList<QChar> shared;
    for (int i = 0; i < pages->count(); ++i) shared << key(pages->tabText(i));
    for (const QAbstractButton* button : form->findChild<QDialogButtonBox*>()->buttons())
        shared << key(button->text());
    for (int i = 0; i < pages->count(); ++i) {
        QList<QChar> keys = shared;
        for (QWidget* w : pages->widget(i)->findChildren<QWidget*>()) {
            if (w->focusPolicy() & Qt::TabFocus) {
                EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
                    << w->metaObject()->className();
            }
            if (auto* b = qobject_cast<QAbstractButton*>(w)) keys << key(b->text());
            if (auto* l = qobject_cast<QLabel*>(w)) keys << key(l->text());
        }
        keys.removeAll(QChar());
        EXPECT_EQ(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size()) << i;
    }
}

// --- Through the main window -------------------------------------------------------------

using TrackEffectsCommands = MainFormTest;

TEST_F(TrackEffectsCommands, OkWritesTheSpaceAsOneUndoableStepAndTheHintShowsIt) {
    MoveCursor(0, 5);
    AcceptDialog<TTrackEffectsForm>([](TTrackEffectsForm& d) {
        Named<QComboBox>(&d, "Instrument")->setCurrentIndex(0);
        Named<QSlider>(&d, "Volume")->setValue(100);
        Named<QCheckBox>(&d, "Volume")->setChecked(true);
        Named<QCheckBox>(&d, "Stroke Down")->setChecked(true);
    });
    Action("&Instrument Change...")->trigger();
    const TTrackData& track = Doc().Track(0);
    EXPECT_EQ(TrackEffectHint(track, track.Space(5)),
              "Stroke Down\nInstrument Change: 0 - Acoustic Grand Piano  (Let ring)\nVolume Change: 100");
    View().Undo();
    EXPECT_EQ(track.Space(5).Props, nullptr);
}

TEST_F(TrackEffectsCommands, ShiftFCopiesThePanChangeBeforeTheCursor) {
    SetProp(Doc().Track(0).Space(3), pkPan, 30);
    MoveCursor(0, 7);
    AcceptDialog<TTrackEffectsForm>([](TTrackEffectsForm& d) {
        EXPECT_EQ(d.windowTitle(), "Repeat Previous Track Effect");
        EXPECT_EQ(d.focusWidget(), Named<QLineEdit>(&d, "Pan"));
    });
    QTest::keyClick(&View(), Qt::Key_F, Qt::ShiftModifier);
    EXPECT_EQ(FindProp(Doc().Track(0).Space(7), pkPan)->Value(), 30);
}

// --- The tap dialog and the song's tempo dialog -------------------------------------------
// The tap dialog on a clock the test moves: letters tap, other keys do not, and OK and Cancel
// take the focus as the measurement comes and goes.

class TapTempoDialog : public testing::Test {
protected:
    uint32_t now_ = 5000;
    TTempoTapForm form_{nullptr, [this] { return now_; }};
    QPushButton* ok_ = form_.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QPushButton* cancel_ = form_.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);

    void SetUp() override {
        form_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }
    void Press(Qt::Key key, uint32_t after = 500, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        now_ += after;
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    QString Average() const { return form_.findChild<QLineEdit*>()->text(); }
};

// The measurement's rules are in TempoTapTest.
TEST_F(TapTempoDialog, ThreeLetterTapsGiveATempoAndTheFocusMovesToOk) {
    EXPECT_FALSE(ok_->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), cancel_);
    Press(Qt::Key_A);
    Press(Qt::Key_1);  // not a letter
    Press(Qt::Key_Z, 0, Qt::ShiftModifier);
    EXPECT_EQ(Average(), "-");
    Press(Qt::Key_M);
    EXPECT_EQ(Average(), "120.00");
    EXPECT_TRUE(ok_->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ok_);

    Press(Qt::Key_A, 3000);  // a new series: OK goes and Cancel takes the focus again
    EXPECT_EQ(Average(), "-");
    EXPECT_FALSE(ok_->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), cancel_);
    Press(Qt::Key_A);
    Press(Qt::Key_A);
    ok_->click();
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(form_.Tempo(), 120);
}

TEST(SongTempo, TapWritesIntoTheField) {
    uint32_t now = 0;
    TTempoForm form(nullptr, 120, {}, [&now] { return now; });
    form.show();
    OnNextModal([&now](QWidget* modal) {
        for (int i = 0; i < 3; ++i, now += 400) QTest::keyClick(modal, Qt::Key_Q);
        ClickOk(*qobject_cast<QDialog*>(modal));
    });
    for (QPushButton* b : form.findChildren<QPushButton*>())
        if (b->text() == "T&ap...") b->click();
    EXPECT_EQ(form.findChild<QLineEdit*>()->text(), "150");
    ClickOk(form);
    EXPECT_EQ(form.Tempo(), 150);
}

}  // namespace
}  // namespace fretlo::test
