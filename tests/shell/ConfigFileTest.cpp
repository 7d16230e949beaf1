// The values' checks are in SettingsTableTest. The store on a real INI file: settings written at exit and read back, hand-edited files,
// colour schemes, binary tuning presets as the core reads them, names that are not plain words;
// and two processes on one store: a pass waits for the other's lock, and a lock left by a
// killed process is taken over. Its own main: a QGuiApplication for the installed fonts, and
// this program started again as the process holding the lock.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <iostream>
#include <thread>

#include "document/TrackData.h"
#include "shell/Config.h"
#include "shell/MemoryConfig.h"

namespace fretlo {
namespace {

constexpr char HoldLockArg[] = "--hold-config-lock";

class ConfigFile : public testing::Test {
protected:
    QTemporaryDir dir_;
    QString file_ = dir_.filePath("Korvane Software/WinFretlo.ini");

    static test::TMemoryConfig Stored(const TSettings& s) {
        test::TMemoryConfig store;
        WriteSettings(s, store);
        return store;
    }
};

TEST_F(ConfigFile, SettingsWrittenAtExitAreReadAtTheNextStart) {
    EXPECT_EQ(Stored(LoadSettings(file_)).Values, Stored(TSettings{}).Values);
    TSettings s;
    s.DefaultPath = "<doc>/Lieder, alt & neu – Grüße";
    s.HideCursorWhilePlaying = false;
    s.MIDIDevice = 2;
    s.SoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    s.Print.BottomMarginNew = 1000;
    s.Colors = DarkScheme;
    s.Fonts.Tab = {QFontDatabase::families().value(0).toStdString(), 16};
    s.ToolbarLayout = {0, 0, 0, 0xFF, 0, 0xFD};
    SaveSettings(s, file_);
    EXPECT_EQ(Stored(LoadSettings(file_)).Values, Stored(s).Values);
}

TEST_F(ConfigFile, HandEditedBadValuesFallBackToDefaults) {
    QDir().mkpath(dir_.filePath("Korvane Software"));
    QFile f(file_);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[General]\nMetronomeVolume=200\nScrollABar=0\n[Colors]\nBkg=white\n"
            "[Fonts]\nTab.Name=No Such Font At All\nTab.Height=20\n"
            "PrintTitle.Name=Arial\nPrintTitle.Height=40\n[Toolbars2]\nLayout=not bytes\n");
    f.close();
    const TSettings s = LoadSettings(file_);
    EXPECT_EQ(s.MetronomeVolume, 96);
    EXPECT_FALSE(s.ScrollABar);
    EXPECT_EQ(s.Colors, StandardScheme);
    TTabFontSettings fonts = DefaultFonts();
    fonts.PrintTitle.Height = 40;  // the installed fonts of this machine are asked
    EXPECT_TRUE(s.Fonts == fonts);
    EXPECT_TRUE(s.ToolbarLayout.empty());
}

TEST_F(ConfigFile, SchemesAreListedIgnoringCaseReadWithStandardGapsAndDeletedWhole) {
    {
        TConfigIniFile ini(file_);
        EXPECT_TRUE(WriteScheme(ini, "beach", DarkScheme));
        WriteScheme(ini, "Night/Day", DarkScheme);
        WriteScheme(ini, "Cold", DarkScheme);
        ini.WriteString("ColorSchemes/beach", "Text", "blue");
        EXPECT_TRUE(DeleteScheme(ini, "Cold"));
        EXPECT_FALSE(WriteScheme(ini, "standard", DarkScheme));
        EXPECT_FALSE(DeleteScheme(ini, "DARK"));
    }
    const TConfigIniFile ini(file_);
    EXPECT_EQ(SchemeNames(ini), (std::vector<std::string>{"Standard", "Dark", "beach", "Night/Day"}));
    TTabColorTable beach = DarkScheme;
    beach[tcText] = StandardScheme[tcText];
    EXPECT_EQ(ReadScheme(ini, "beach"), beach);
    EXPECT_EQ(ReadScheme(ini, "Night/Day"), DarkScheme);
    EXPECT_EQ(ReadScheme(ini, "Cold"), StandardScheme);
    EXPECT_EQ(ReadScheme(ini, "dark"), DarkScheme);
}

TEST_F(ConfigFile, TuningPresetsAreBinaryValuesTheCoreReads) {
    const std::vector<uint8_t> droppedD = {38, 45, 50, 55, 59, 64};
    const std::string drums = "Bass/Snare/Closed HH/Open HH/Stick/Crash";
    {
        TConfigIniFile ini(file_);
        ini.WriteString("Tunings/#6-0", "", "Dropped D");
        ini.WriteBinary("Tunings/#6-0", "Dropped D", droppedD);
        ini.WriteBinary("Tunings/#6-1", drums, droppedD);
        WriteInteger(ini, "Tunings/#6-1/Flags", "Flags: " + drums, 1);
    }
    EXPECT_EQ(TConfigIniFile(file_).SectionNames("Tunings/#6-1"), std::vector<std::string>{"Flags"});
    const TInstalledSettingsStore installed(file_);
    TSettingsStore& store = *CurrentSettingsStore();
    EXPECT_EQ(store.ReadBinary("Tunings/#6-1", drums), droppedD);
    EXPECT_EQ(store.ReadString("Tunings/#6-0", "Dropped D"), std::nullopt);  // binary, not text
    const TTrackData track(true, 16);
    EXPECT_EQ(track.Tuning[0], -2);
    EXPECT_EQ(track.Tuning[1], 0);
}

TEST_F(ConfigFile, UnusualNamesStayApart) {
    const std::vector<std::string> idents = {"",     ".",       "%2E",     "a/b", "a%2Fb",
                                             "a\\b", "General", "x=y [z]", "@at"};
    {
        TConfigIniFile ini(file_);
        for (const std::string& ident : idents) ini.WriteString("Section", ident, "value of " + ident);
    }
    const TConfigIniFile ini(file_);
    for (const std::string& ident : idents) EXPECT_EQ(ini.ReadString("Section", ident), "value of " + ident);
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

// The second process: holds the lock on the file named, prints "locked", and on the line "write"
// writes Holder=child and exits, letting the lock go.
int RunLockHolder(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TConfigIniFile store(QString::fromLocal8Bit(argv[2]));
    std::cout << (store.HasLock() ? "locked" : "unlocked") << std::endl;
    std::string line;
    while (std::getline(std::cin, line) && line != "write") {}
    store.WriteString("", "Holder", "child");
    return 0;
}

class ConfigLock : public ConfigFile {
protected:
    QProcess holder_;

    void StartHolder() {
        holder_.start(QCoreApplication::applicationFilePath(), {HoldLockArg, file_});
        ASSERT_TRUE(holder_.waitForStarted());
        while (!holder_.canReadLine()) ASSERT_TRUE(holder_.waitForReadyRead(-1)) << "the holder ended";
        ASSERT_EQ(holder_.readLine().trimmed(), "locked");
    }
    void TearDown() override {
        if (holder_.state() != QProcess::NotRunning) {
            holder_.kill();
            holder_.waitForFinished();
        }
    }
};

TEST_F(ConfigLock, PassWaitsUntilTheOtherProcessHasWrittenAndLetGo) {
    StartHolder();
    auto reader =
        std::async(std::launch::async, [this] { return TConfigIniFile(file_).ReadString("", "Holder"); });
    // Give an unguarded reader every chance to read before the holder writes.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    holder_.write("write\n");
    ASSERT_TRUE(holder_.waitForFinished(-1));
    EXPECT_EQ(holder_.exitCode(), 0);
    EXPECT_EQ(reader.get(), "child");
}

TEST_F(ConfigLock, LockOfAKilledProcessIsTakenOver) {
    StartHolder();
    holder_.kill();
    ASSERT_TRUE(holder_.waitForFinished(-1));
    ASSERT_TRUE(QFile::exists(ConfigLockFile(file_)));
    TConfigIniFile store(file_);
    EXPECT_TRUE(store.HasLock());
    EXPECT_EQ(store.ReadString("", "Holder"), std::nullopt);
}

}  // namespace
}  // namespace fretlo

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == fretlo::HoldLockArg) return fretlo::RunLockHolder(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
