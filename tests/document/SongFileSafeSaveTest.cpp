// Saving never damages the file on disk: written aside, flushed, renamed over the target.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "ScratchDir.h"
#include "document/DocTestUtil.h"
#include "document/SongFile.h"

namespace fretlo::test {
namespace {

using TBytes = std::vector<uint8_t>;

mode_t ModeOf(const std::string& path, bool followLink = true) {
    struct stat info {};
    EXPECT_EQ(0, followLink ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) << path;
    return info.st_mode;
}

class SongFileSafeSave : public ::testing::Test {
protected:
    TScratchDir dir;
    TCountingDoc doc;
    void SetUp() override {
        doc.New(16);
        doc.Title = "New";
        doc.MarkModified();
    }
};

TEST_F(SongFileSafeSave, KeepsThePermissionsOfTheReplacedFile) {
    const std::string path = dir.File("song.frl");
    WriteFileBytes(path, {1, 2, 3});
    ASSERT_EQ(0, ::chmod(path.c_str(), 0640));
    doc.SaveToFile(path);
    EXPECT_EQ(0640u, ModeOf(path) & 07777);
    EXPECT_EQ(BuildSongFile(doc), ReadFileBytes(path));
    EXPECT_EQ(1u, dir.EntryCount());
}

TEST_F(SongFileSafeSave, ANewFileGetsTheUsualModeOfTheUmask) {
    const mode_t old = ::umask(022);
    doc.SaveToFile(dir.File("fresh.frl"));
    ::umask(old);
    EXPECT_EQ(0644u, ModeOf(dir.File("fresh.frl")) & 07777);
}

TEST_F(SongFileSafeSave, SavingThroughALinkReplacesTheFileItNames) {
    const std::string real = dir.File("real.frl"), link = dir.File("link.frl");
    WriteFileBytes(real, {1});
    ASSERT_EQ(0, ::symlink(real.c_str(), link.c_str()));
    doc.SaveToFile(link);
    EXPECT_EQ(BuildSongFile(doc), ReadFileBytes(real));
    EXPECT_TRUE(S_ISLNK(ModeOf(link, false)));
}

TEST_F(SongFileSafeSave, APipeIsWrittenToNotReplaced) {
    const std::string fifo = dir.File("pipe.frl");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    TBytes received;
    std::thread reader([&] { received = ReadFileBytes(fifo); });
    doc.SaveToFile(fifo);
    reader.join();
    EXPECT_EQ(BuildSongFile(doc), received);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_EQ(1u, dir.EntryCount());
}

std::string SaveError(TCustomTabDoc& doc, const std::string& path) {
    try {
        doc.SaveToFile(path);
    } catch (const EFretloError& e) {
        return e.what();
    }
    return "";
}

TEST_F(SongFileSafeSave, AFolderInTheWayIsRefusedAndNothingIsLeft) {
    const std::string target = dir.File("busy.frl");
    std::filesystem::create_directory(target);
    WriteFileBytes(target + "/inside", {9});
    const std::string error = SaveError(doc, target);
    EXPECT_NE(std::string::npos, error.find("Is a directory")) << error;
    EXPECT_NE(std::string::npos, error.find("busy.frl")) << error;
    EXPECT_EQ(TBytes({9}), ReadFileBytes(target + "/inside"));
    EXPECT_EQ(1u, dir.EntryCount());
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ("", doc.FileName);
}

TEST_F(SongFileSafeSave, AMissingFolderIsReportedWithTheName) {
    const int resets = doc.resets;
    const std::string error = SaveError(doc, dir.File("nowhere/x.frl"));
    EXPECT_NE(std::string::npos, error.find("No such file or directory")) << error;
    EXPECT_NE(std::string::npos, error.find("nowhere/x.frl")) << error;
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(resets, doc.resets);
}

// A folder or a file without write permission keeps the old file as it was.
TEST_F(SongFileSafeSave, ReadOnlyKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string path = dir.File("old.frl");
    WriteFileBytes(path, {4, 5, 6});
    for (const std::string& locked : {dir.Path().string(), path}) {
        ASSERT_EQ(0, ::chmod(locked.c_str(), 0555));
        const std::string error = SaveError(doc, path);
        ::chmod(locked.c_str(), 0755);
        EXPECT_NE(std::string::npos, error.find("Permission denied")) << locked << ": " << error;
        EXPECT_EQ(TBytes({4, 5, 6}), ReadFileBytes(path));
        EXPECT_EQ(1u, dir.EntryCount());
        EXPECT_TRUE(doc.Modified);
    }
}

TEST_F(SongFileSafeSave, ABuildFailureTouchesNothing) {
    const std::string path = dir.File("kept.frl");
    WriteFileBytes(path, {7});
    doc.Comments.assign(70000, 'c');
    EXPECT_EQ("Unable to save the file because a song text is longer than 65535 characters",
              SaveError(doc, path));
    EXPECT_EQ(TBytes({7}), ReadFileBytes(path));
    EXPECT_EQ(1u, dir.EntryCount());
    EXPECT_TRUE(doc.Modified);
}

}  // namespace
}  // namespace fretlo::test
