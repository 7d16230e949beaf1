// Saving never damages the file on disk: written aside, flushed, renamed over the target.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "document/SongFile.h"
#include "document/SongFileBytes.h"
#include "document/SongFileTestDoc.h"

namespace fretlo::test {
namespace {

std::string SaveError(TCustomTabDoc& doc, const std::string& path) {
    try {
        doc.SaveToFile(path);
    } catch (const EFretloError& e) {
        return e.what();
    }
    return "";
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
    struct stat info {};
    ASSERT_EQ(0, ::stat(path.c_str(), &info));
    EXPECT_EQ(0640u, info.st_mode & 07777);
    EXPECT_EQ(BuildSongFile(doc), ReadFileBytes(path));
    EXPECT_EQ(1u, dir.EntryCount());
}

TEST_F(SongFileSafeSave, ANewFileGetsTheUsualModeOfTheUmask) {
    const mode_t old = ::umask(022);
    doc.SaveToFile(dir.File("fresh.frl"));
    ::umask(old);
    struct stat info {};
    ASSERT_EQ(0, ::stat(dir.File("fresh.frl").c_str(), &info));
    EXPECT_EQ(0644u, info.st_mode & 07777);
}

TEST_F(SongFileSafeSave, SavingThroughALinkReplacesTheFileItNames) {
    const std::string real = dir.File("real.frl"), link = dir.File("link.frl");
    WriteFileBytes(real, {1});
    ASSERT_EQ(0, ::symlink(real.c_str(), link.c_str()));
    doc.SaveToFile(link);
    EXPECT_EQ(BuildSongFile(doc), ReadFileBytes(real));
    struct stat info {};
    ASSERT_EQ(0, ::lstat(link.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(SongFileSafeSave, APipeIsWrittenToNotReplaced) {
    const std::string fifo = dir.File("pipe.frl");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    TBytes received;
    std::thread reader([&] { received = ReadFileBytes(fifo); });
    doc.SaveToFile(fifo);
    reader.join();
    EXPECT_EQ(BuildSongFile(doc), received);
    struct stat info {};
    ASSERT_EQ(0, ::stat(fifo.c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(1u, dir.EntryCount());
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

TEST_F(SongFileSafeSave, AReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string path = dir.File("old.frl");
    WriteFileBytes(path, {4, 5, 6});
    ASSERT_EQ(0, ::chmod(dir.Path().c_str(), 0555));
    const std::string error = SaveError(doc, path);
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_NE(std::string::npos, error.find("Permission denied")) << error;
    EXPECT_EQ(TBytes({4, 5, 6}), ReadFileBytes(path));
    EXPECT_EQ(1u, dir.EntryCount());
    EXPECT_TRUE(doc.Modified);
}

TEST_F(SongFileSafeSave, AReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string path = dir.File("locked.frl");
    WriteFileBytes(path, {4, 5, 6});
    ASSERT_EQ(0, ::chmod(path.c_str(), 0444));
    EXPECT_NE(std::string::npos, SaveError(doc, path).find("Permission denied"));
    EXPECT_EQ(TBytes({4, 5, 6}), ReadFileBytes(path));
}

TEST_F(SongFileSafeSave, ABuildFailureTouchesNothing) {
    const std::string path = dir.File("kept.frl");
    WriteFileBytes(path, {7});
    doc.Comments.assign(70000, 'c');
    const std::string error = SaveError(doc, path);
    EXPECT_EQ("Unable to save the file because a song text is longer than 65535 characters", error);
    EXPECT_EQ(TBytes({7}), ReadFileBytes(path));
    EXPECT_EQ(1u, dir.EntryCount());
    EXPECT_TRUE(doc.Modified);
}

}  // namespace
}  // namespace fretlo::test
