// The store on a real INI file: settings written at exit and read back, hand-edited files,
// binary tuning presets as the core reads them, and names that are not plain words.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSettings>
#include <QTemporaryDir>

#include "document/TrackData.h"
#include "shell/Config.h"
#include "shell/MemoryConfig.h"

namespace fretlo {
namespace {

class ConfigFile : public testing::Test {
protected:
    QTemporaryDir dir_;
    QString file_ = dir_.filePath("Korvane Software/WinFretlo.ini");

    void WriteRaw(const QByteArray& text) {
        QFileInfo(file_).absoluteDir().mkpath(".");
        QFile f(file_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    static test::TMemoryConfig Stored(const TSettings& s) {
        test::TMemoryConfig store;
        WriteSettings(s, store);
        return store;
    }
};

TEST_F(ConfigFile, SettingsWrittenAtExitAreReadAtTheNextStart) {
    TSettings s;
    s.DefaultPath = "<doc>/Songs, old & new";
    s.HideCursorWhilePlaying = false;
    s.Maximized2 = true;
    s.MIDIDevice = 2;
    s.CurrentScheme = "";
    s.SoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    s.Print.BottomMarginNew = 1000;
    s.Colors = DarkScheme;
    s.Fonts.Tab = {"DejaVu Sans", 16};
    s.ToolbarLayout = {0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFD};
    SaveSettings(s, file_);
    ASSERT_TRUE(QFile::exists(file_));
    EXPECT_EQ(Stored(LoadSettings(file_)).Values, Stored(s).Values);
}

TEST_F(ConfigFile, MissingFileGivesTheDefaults) {
    EXPECT_EQ(Stored(LoadSettings(file_)).Values, Stored(TSettings{}).Values);
}

TEST_F(ConfigFile, HandEditedBadValuesFallBackToDefaults) {
    WriteRaw(
        "[General]\n"
        "PlayNotesWhileEditing=5\nMetronomeVolume=200\nMetronomeDrum=-1\nScrollABar=0\n"
        "CurrentScheme=Autumn, late\n"
        "[Colors]\nBkg=white\n"
        "[Fonts]\nTab.Name=No Such Font At All\nTab.Height=20\nTabSmall.Name=DejaVu Sans\nTabSmall.Height=7\n"
        "[Toolbars2]\nLayout=not bytes\n");
    const TSettings s = LoadSettings(file_);
    EXPECT_EQ(s.PlayNotesWhileEditing, pnCurrentTrack);
    EXPECT_EQ(s.MetronomeVolume, 96);
    EXPECT_EQ(s.MetronomeDrum, 37);
    EXPECT_FALSE(s.ScrollABar);
    EXPECT_EQ(s.CurrentScheme, "Autumn,late");
    EXPECT_EQ(s.Colors[tcBkg], StandardScheme[tcBkg]);
    EXPECT_TRUE(s.Fonts == DefaultFonts());
    EXPECT_TRUE(s.ToolbarLayout.empty());
}

TEST_F(ConfigFile, InstalledFontsAreAcceptedAndTheDefaultArialToo) {
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty()) << "no font installed";
    const std::string installed = families.front().toStdString();
    EXPECT_TRUE(IsInstalledFont(installed));
    EXPECT_TRUE(IsInstalledFont("Arial"));
    EXPECT_FALSE(IsInstalledFont("No Such Font At All"));
    TSettings s;
    s.Fonts.PrintTitle = {installed, 40};
    s.Fonts.PrintArtist = {"Arial", 24};
    s.Fonts.PrintPageNumber = {"No Such Font At All", 24};
    SaveSettings(s, file_);
    const TSettings read = LoadSettings(file_);
    EXPECT_EQ(read.Fonts.PrintTitle.Name, installed);
    EXPECT_EQ(read.Fonts.PrintArtist.Height, 24);
    EXPECT_EQ(read.Fonts.PrintPageNumber.Name, "Arial");
    EXPECT_EQ(read.Fonts.PrintPageNumber.Height, 18);
}

TEST_F(ConfigFile, TuningPresetsAreBinaryValuesTheCoreReads) {
    const std::vector<uint8_t> droppedD = {38, 45, 50, 55, 59, 64};
    const std::vector<uint8_t> drums = {35, 38, 42, 46, 37, 49};
    {
        TConfigIniFile ini(file_);
        ini.WriteString("Tunings/#6-0", "", "Dropped D");
        ini.WriteBinary("Tunings/#6-0", "Dropped D", droppedD);
        ini.WriteString("Tunings/#6-1", "", "Bass/Snare/Closed HH/Open HH/Stick/Crash");
        ini.WriteBinary("Tunings/#6-1", "Bass/Snare/Closed HH/Open HH/Stick/Crash", drums);
        WriteInteger(ini, "Tunings/#6-1/Flags", "Flags: Bass/Snare/Closed HH/Open HH/Stick/Crash", 1);
    }
    TConfigSettingsStore store(file_);
    EXPECT_EQ(store.ReadString("Tunings/#6-1", ""), "Bass/Snare/Closed HH/Open HH/Stick/Crash");
    EXPECT_EQ(store.ReadBinary("Tunings/#6-1", "Bass/Snare/Closed HH/Open HH/Stick/Crash"), drums);
    // A value of the other kind is not there for the reader.
    EXPECT_EQ(store.ReadBinary("Tunings/#6-0", ""), std::nullopt);
    EXPECT_EQ(store.ReadString("Tunings/#6-0", "Dropped D"), std::nullopt);
    EXPECT_EQ(TConfigIniFile(file_).SectionNames("Tunings/#6-1"), std::vector<std::string>{"Flags"});

    InstallSettingsStore(&store);
    const TTrackData track(true, 16);
    InstallSettingsStore(nullptr);
    EXPECT_EQ(track.Tuning[0], -2);
    EXPECT_EQ(track.Tuning[1], 0);
}

TEST_F(ConfigFile, UnusualNamesStayApart) {
    const std::vector<std::string> idents = {"",     ".",       "%2E",     "a/b", "a%2Fb",
                                             "a\\b", "General", "x=y [z]", "@at"};
    {
        TConfigIniFile ini(file_);
        for (const std::string& ident : idents) ini.WriteString("Section", ident, "value of " + ident);
        WriteScheme(ini, "Night/Day", DarkScheme);
        WriteScheme(ini, "50% grey", StandardScheme);
    }
    const TConfigIniFile ini(file_);
    for (const std::string& ident : idents) EXPECT_EQ(ini.ReadString("Section", ident), "value of " + ident);
    EXPECT_EQ(SchemeNames(ini), (std::vector<std::string>{"Standard", "Dark", "50% grey", "Night/Day"}));
    EXPECT_EQ(ReadScheme(ini, "Night/Day"), DarkScheme);
}

TEST_F(ConfigFile, SavedSchemesAreListedIgnoringCaseAndDeletedWhole) {
    {
        TConfigIniFile ini(file_);
        WriteScheme(ini, "beach", DarkScheme);
        WriteScheme(ini, "Autumn", DarkScheme);
        WriteScheme(ini, "Cold", DarkScheme);
        DeleteScheme(ini, "Cold");
    }
    const TConfigIniFile ini(file_);
    EXPECT_EQ(SchemeNames(ini), (std::vector<std::string>{"Standard", "Dark", "Autumn", "beach"}));
    EXPECT_EQ(ini.ReadString("ColorSchemes/Cold", "Bkg"), std::nullopt);
}

TEST_F(ConfigFile, StoreIsTheUsersIniFileWithTheLockBesideIt) {
    const QSettings qt(QSettings::IniFormat, QSettings::UserScope, "Korvane Software", "WinFretlo");
    EXPECT_EQ(DefaultConfigFile(), qt.fileName());
    EXPECT_EQ(ConfigLockFile(file_), dir_.filePath("Korvane Software/WinFretlo-Config-Mutex"));
    {
        const TConfigIniFile ini(file_);
        EXPECT_TRUE(ini.HasLock());
        EXPECT_TRUE(QFile::exists(ConfigLockFile(file_)));
    }
    EXPECT_FALSE(QFile::exists(ConfigLockFile(file_)));
}

}  // namespace
}  // namespace fretlo
