// The first-run song folders: demo songs once per installation stamp, and the old "Songs"
// folder beside the program moved into the tabs folder when the user says so.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/MemoryConfig.h"
#include "shell/SongFolders.h"

namespace fretlo::test {
namespace {

std::vector<uint8_t> Stamp(uint64_t time) {
    std::vector<uint8_t> bytes(8);
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(time >> (8 * i));
    return bytes;
}

class SongFolders : public testing::Test {
protected:
    QTemporaryDir dir_;
    TSongFolders folders_{dir_.filePath("share"), dir_.filePath("bin"), dir_.filePath("Documents/Fretlo Tabs")};
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
        {Stamp(500), std::nullopt, true},
        {Stamp(500), Stamp(400), true},    // a newer installation
        {Stamp(500), Stamp(500), false},   // this one's demos are there
        {Stamp(500), Stamp(600), false},
        {Stamp(500), std::vector<uint8_t>(7), true},  // a damaged record counts as none
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
        EXPECT_TRUE(questions[0].contains("inside your Documents folder."));
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
