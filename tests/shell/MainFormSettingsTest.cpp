// Settings on the real window: read once when it is built, written once when it is destroyed,
// bad stored values falling back to their defaults, and the switches of the Play and View menus.
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QSettings>
#include <QSlider>
#include <QToolBar>

#include "shell/Config.h"
#include "shell/MainFormFixture.h"
#include "shell/OptionsPlayPage.h"

namespace fretlo::test {
namespace {

using WindowSettings = MainFormTest;

TEST_F(WindowSettings, SwitchesWrittenAtExitComeBackAtTheNextStart) {
    Action("&Metronome")->trigger();
    Action("&Rewind After Stop")->trigger();
    Action("&All Tracks")->trigger();
    Form().findChild<QAction*>("VTMenuBarSpansRow")->trigger();  // on by default: now off
    EXPECT_FALSE(QFile::exists(config_)) << "nothing is written before the window goes";
    Close();

    const TSettings stored = LoadSettings(config_);
    EXPECT_TRUE(stored.MetronomeOn);
    EXPECT_TRUE(stored.RewindAfterStop);
    EXPECT_EQ(stored.PlayNotesWhileEditing, pnAllTracks);
    EXPECT_FALSE(stored.MenuBarSpansRow);
    EXPECT_FALSE(stored.ToolbarLayout.empty());

    Open();
    EXPECT_TRUE(Action("&Metronome")->isChecked());
    EXPECT_TRUE(View().PlayerSettings().MetronomeOn);
    EXPECT_TRUE(View().RewindAfterStop());
    EXPECT_EQ(LoadSettings(config_).PlayNotesWhileEditing, pnAllTracks);
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
    EXPECT_EQ(player.MetronomeVolume, 50);
    EXPECT_EQ(player.MetronomeDrum, 76);
    EXPECT_FALSE(player.MetronomeAccent);
    Action("&Metronome")->trigger();
    EXPECT_FALSE(View().PlayerSettings().MetronomeOn);
    EXPECT_EQ(View().PlayerSettings().MetronomeVolume, 50);
}

TEST_F(WindowSettings, BadStoredValuesFallBackToTheirDefaults) {
    Close();
    {
        QSettings ini(config_, QSettings::IniFormat);
        ini.setValue("PlayNotesWhileEditing", "5");
        ini.setValue("MetronomeVolume", "200");
        ini.setValue("MetronomeDrum", "-1");
        ini.setValue("Colors/Bkg", "white");
        ini.setValue("Fonts/Tab.Name", "No Such Font At All");
        ini.setValue("Fonts/Tab.Height", "20");
        ini.setValue("Fonts/TabSmall.Height", "7");
        ini.setValue("Toolbars2/Layout", QByteArray("not a layout"));
    }
    Open({}, false);
    EXPECT_EQ(View().PreviewMode(), TPreviewMode::CurrentTrack);
    EXPECT_EQ(View().PlayerSettings().MetronomeVolume, 96);
    EXPECT_EQ(View().PlayerSettings().MetronomeDrum, 37);
    EXPECT_EQ(View().Colors(), StandardScheme);
    EXPECT_EQ(Form().Settings().Fonts.Tab.Name, DefaultTabFont.Name);
    EXPECT_EQ(Form().Settings().Fonts.Tab.Height, DefaultTabFont.Height);
    EXPECT_EQ(Form().Settings().Fonts.TabSmall.Height, DefaultSmallTabFont.Height);
    EXPECT_FALSE(Form().findChild<QToolBar*>("Main")->isHidden());
}

TEST_F(WindowSettings, HiddenToolbarAndItsPlaceComeBack) {
    form_->show();
    Form().findChild<QAction*>("VTPlay")->trigger();
    EXPECT_TRUE(Form().findChild<QToolBar*>("Play")->isHidden());
    Close();
    Open();
    form_->show();
    EXPECT_TRUE(Form().findChild<QToolBar*>("Play")->isHidden());
    EXPECT_FALSE(Form().findChild<QToolBar*>("Main")->isHidden());
}

TEST_F(WindowSettings, ThePopUpMenuHidesTheToolbarsButNotTheMenuBar) {
    std::unique_ptr<QMenu> popup(static_cast<QMainWindow&>(Form()).createPopupMenu());
    QStringList items;
    for (QAction* item : popup->actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"&Main", "&Play", "", "Menu Bar &Spans Row"}));
}

}  // namespace
}  // namespace fretlo::test
