// One window per user, with real programs: a second start hands its file over and ends; with
// UseSameInst off, or a modal box open in the first, it opens the file itself; a killed first
// instance never blocks the next. And inside one program: the answer goes out before the save
// question, and a minimised window comes back. Also the first-run song folders: demo songs once
// per installation stamp, and the old "Songs" folder beside the program moved into the tabs
// folder when the user says so.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <atomic>
#include <thread>

#include "platform/qt/InstanceChannel.h"
#include "shell/MemoryConfig.h"
#include "shell/ShellTestSupport.h"
#include "shell/SongFolders.h"

namespace fretlo::test {
namespace {

bool WaitFor(const std::function<bool()>& condition, int ms = 15000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms) return false;
        QTest::qWait(20);
    }
    return true;
}

// Programs of one user: their own home, runtime and settings folders.
class RunningInstances : public testing::Test {
protected:
    QTemporaryDir home_;
    std::vector<std::unique_ptr<QProcess>> programs_;

    void SetUp() override {
        QDir(home_.path()).mkpath("run");
        QFile(home_.filePath("run")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        WriteSettings(true);
        for (const char* song : {"a.frl", "b.frl", "c.frl"})
            QFile::copy(FRETLO_DEMO_SONG, home_.filePath(song));
        QFile damaged(home_.filePath("damaged.frl"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a song");
    }
    void TearDown() override {
        for (auto& program : programs_) {
            program->kill();
            program->waitForFinished();
        }
    }

    void WriteSettings(bool sameInstance) {
        QDir(home_.path()).mkpath("config/Korvane Software");
        QFile ini(home_.filePath("config/Korvane Software/WinFretlo.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QString("[General]\nPlayNotesWhileEditing=0\nUseSameInst=%1\n").arg(sameInstance).toUtf8());
    }

    QString Socket() const {
        return home_.filePath("run/Fretlo-2.03-CommWindow-" + QString::number(::getuid()));
    }

    QProcess& Start(const QString& song = {}) {
        auto program = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home_.path());
        env.insert("XDG_RUNTIME_DIR", home_.filePath("run"));
        env.insert("XDG_CONFIG_HOME", home_.filePath("config"));
        env.insert("XDG_DATA_HOME", home_.filePath("data"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program->setProcessEnvironment(env);
        program->setWorkingDirectory(home_.path());
        program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program->start(FRETLO_PROGRAM, song.isEmpty() ? QStringList{} : QStringList{song});
        EXPECT_TRUE(program->waitForStarted());
        programs_.push_back(std::move(program));
        return *programs_.back();
    }

    // The first instance, once it listens.
    QProcess& StartFirst(const QString& song = {}) {
        QProcess& first = Start(song);
        EXPECT_TRUE(WaitFor([&] { return QFile::exists(Socket()); })) << "the first instance never listened";
        return first;
    }

    // A song opened by any instance is the first of the recent files they share.
    bool Opened(const QString& song) const {
        QFile ini(home_.filePath("config/Korvane Software/WinFretlo.ini"));
        return ini.open(QIODevice::ReadOnly) &&
               ini.readAll().contains(("0=" + home_.filePath(song) + "*").toUtf8());
    }

    static bool EndsWithSuccess(QProcess& program) {
        return program.waitForFinished(10000) && program.exitStatus() == QProcess::NormalExit &&
               program.exitCode() == 0;
    }
};

TEST_F(RunningInstances, TheSecondHandsItsFileOverAndEnds) {
    StartFirst("a.frl");
    QProcess& second = Start("b.frl");  // relative: the first runs in its own folder
    EXPECT_TRUE(EndsWithSuccess(second));
    EXPECT_TRUE(WaitFor([&] { return Opened("b.frl"); })) << "the first instance did not open it";
}

TEST_F(RunningInstances, TheSecondOpensItsFileItselfWhenTheFirstRefuses) {
    for (const bool modalOpen : {false, true}) {
        WriteSettings(modalOpen);  // refused for UseSameInst off, or for the error box of a damaged song
        QProcess& first = StartFirst(modalOpen ? "damaged.frl" : "a.frl");
        QProcess& second = Start("b.frl");
        EXPECT_TRUE(WaitFor([&] { return Opened("b.frl"); }));
        QTest::qWait(300);
        EXPECT_EQ(second.state(), QProcess::Running) << "modal: " << modalOpen;
        second.kill();
        first.kill();
        first.waitForFinished();
        second.waitForFinished();
        QFile::remove(Socket());  // the next first instance is ready when it is back
    }
}

TEST_F(RunningInstances, AKilledInstanceNeitherBlocksNorSwallowsTheNextStart) {
    QProcess& killed = StartFirst();
    killed.kill();  // SIGKILL: the socket file stays behind
    killed.waitForFinished();
    ASSERT_TRUE(QFile::exists(Socket()));

    QProcess& next = Start("a.frl");
    EXPECT_TRUE(WaitFor([&] { return Opened("a.frl"); }));
    EXPECT_EQ(next.state(), QProcess::Running);
    QProcess& third = Start("c.frl");  // the next one has taken the socket over
    EXPECT_TRUE(EndsWithSuccess(third));
    EXPECT_TRUE(WaitFor([&] { return Opened("c.frl"); }));
}

// The window of this program with a runtime folder of the test's own.
class HandOverWindow : public MainFormTest {
protected:
    QTemporaryDir runtime_;
    QByteArray savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");

    HandOverWindow() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path())); }
    ~HandOverWindow() override { qputenv("XDG_RUNTIME_DIR", savedRuntime_); }
};

TEST_F(HandOverWindow, AnswersBeforeTheSaveQuestionAndComesBack) {
    const QString song = Path("song.frl");
    QFile::copy(FRETLO_DEMO_SONG, song);
    Form().show();
    Form().showMinimized();
    Doc().MarkModified();

    std::atomic<bool> replied = false;
    bool repliedBeforeQuestion = false;
    OnNextModal([&](QWidget* modal) {
        // The event loop stands still here: an answer not written before the question cannot
        // reach the sender now, one already written does.
        for (int i = 0; i < 300 && !replied; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        repliedBeforeQuestion = replied;
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click();
    });
    bool taken = false;
    std::thread sender([&] {
        taken = HandOverToRunningInstance(song);
        replied = true;
    });
    EXPECT_TRUE(WaitFor([&] { return Doc().FileName == song.toStdString(); }));
    sender.join();
    EXPECT_TRUE(taken);
    EXPECT_TRUE(repliedBeforeQuestion) << "the sender waited for the save question";
    EXPECT_FALSE(Form().isMinimized());
}

// --- The first-run song folders ----------------------------------------------------------

std::vector<uint8_t> Stamp(uint64_t time) {
    std::vector<uint8_t> bytes(8);
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(time >> (8 * i));
    return bytes;
}

class SongFolders : public testing::Test {
protected:
    QTemporaryDir dir_;
    TSongFolders folders_{dir_.filePath("share"), dir_.filePath("bin"),
                          dir_.filePath("Documents/Fretlo Tabs")};
    TMemoryConfig store_;

    QString Path(const QString& name) const { return dir_.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes = "song") {
        QDir().mkpath(QFileInfo(Path(name)).path());
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    void SetInstallStamp(const std::vector<uint8_t>& bytes) {
        Write("share/install-time", QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
};

TEST_F(SongFolders, DemoSongsAreCopiedOncePerInstallation) {
    Write("share/Demo Songs/Demo.frl", "demo");
    Write("share/Demo Songs/notes.txt");
    const struct {
        std::vector<uint8_t> Installed;
        std::optional<std::vector<uint8_t>> LastCopied;
        bool Copies;
    } cases[] = {
        {Stamp(500), Stamp(499), true},   // a newer installation
        {Stamp(500), Stamp(500), false},  // this one's demos are there
        {Stamp(500), std::vector<uint8_t>(7), true},     // a damaged record counts as none
        {std::vector<uint8_t>(7), std::nullopt, false},  // no valid stamp: not installed
    };
    for (const auto& c : cases) {
        QDir(Path("Documents")).removeRecursively();
        store_.Values.clear();
        SetInstallStamp(c.Installed);
        if (c.LastCopied) store_.WriteBinary("", "LastInstallTime", *c.LastCopied);
        InstallDemoSongs(folders_, store_);
        EXPECT_EQ(Read("Documents/Fretlo Tabs/Demo Songs/Demo.frl"), c.Copies ? "demo" : "(missing)");
        EXPECT_EQ(store_.ReadBinary("", "LastInstallTime"), c.Copies ? c.Installed : c.LastCopied);
    }
    EXPECT_FALSE(QFile::exists(Path("Documents/Fretlo Tabs/Demo Songs/notes.txt")));
}

TEST_F(SongFolders, ADemoTheUserChangedIsKeptAndAFailedCopyIsNotRetried) {
    SetInstallStamp(Stamp(900));
    InstallDemoSongs(folders_, store_);  // no demo folder installed: nothing to copy, stamp taken
    EXPECT_EQ(store_.ReadBinary("", "LastInstallTime"), Stamp(900));

    Write("share/Demo Songs/Demo.frl", "new demo");
    Write("Documents/Fretlo Tabs/Demo Songs/Demo.frl", "my edits");
    SetInstallStamp(Stamp(1000));
    InstallDemoSongs(folders_, store_);
    EXPECT_EQ(Read("Documents/Fretlo Tabs/Demo Songs/Demo.frl"), "my edits");
}

TEST_F(SongFolders, AnOldFolderWithOnlyTheDemosGoesWithoutAQuestion) {
    Write("bin/Songs/Demo.frl");
    Write("bin/Songs/Drum Demo.frl");
    MigrateSongFolder(folders_, [](const QString&) -> bool { throw std::logic_error("asked"); });
    EXPECT_FALSE(QFileInfo::exists(Path("bin/Songs")));
}

TEST_F(SongFolders, OtherSongsMoveOnlyWhenTheUserSaysYes) {
    for (const bool yes : {false, true}) {
        Write("bin/Songs/Demo.frl");
        Write("bin/Songs/Mine.frl", "mine");
        Write("bin/Songs/Live/Gig.frl", "gig");
        QStringList questions;
        MigrateSongFolder(folders_, [&](const QString& q) {
            questions << q;
            return yes;
        });
        ASSERT_EQ(questions.size(), 1);
        EXPECT_FALSE(QFile::exists(Path("bin/Songs/Demo.frl")));
        EXPECT_EQ(Read("Documents/Fretlo Tabs/Mine.frl"), yes ? "mine" : "(missing)");
        EXPECT_EQ(Read("Documents/Fretlo Tabs/Live/Gig.frl"), yes ? "gig" : "(missing)");
        EXPECT_EQ(QFileInfo::exists(Path("bin/Songs")), !yes);
    }
}

TEST_F(SongFolders, ASongWhoseNameIsTakenStaysInTheOldFolder) {
    Write("bin/Songs/Mine.frl", "old");
    Write("bin/Songs/Other.frl", "other");
    Write("Documents/Fretlo Tabs/Mine.frl", "new");
    MigrateSongFolder(folders_, [](const QString&) { return true; });
    EXPECT_EQ(Read("Documents/Fretlo Tabs/Mine.frl"), "new");
    EXPECT_EQ(Read("bin/Songs/Mine.frl"), "old");
    EXPECT_EQ(Read("Documents/Fretlo Tabs/Other.frl"), "other");
}

}  // namespace
}  // namespace fretlo::test
