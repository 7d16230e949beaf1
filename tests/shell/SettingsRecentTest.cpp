// The recent-file list: ten entries, newest first, kept in the store between runs.
#include <gtest/gtest.h>

#include "shell/MemoryConfig.h"
#include "shell/SettingsRecent.h"

namespace fretlo {
namespace {

using test::TMemoryConfig;

std::string FileName(int i) { return "/home/user/Tabs/Song " + std::to_string(i) + ".frl"; }

std::vector<std::string> RememberFiles(TMemoryConfig& store, int count) {
    std::vector<std::string> list;
    for (int i = 1; i <= count; ++i)
        list = RememberRecentFile(store, FileName(i), "Song " + std::to_string(i));
    return list;
}

TEST(RecentFiles, EleventhFileDropsTheOldest) {
    TMemoryConfig store;
    const std::vector<std::string> list = RememberFiles(store, 11);
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), FileName(11) + "*Song 11");
    EXPECT_EQ(list.back(), FileName(2) + "*Song 2");
    EXPECT_EQ(ReadRecentFiles(store), list);
    EXPECT_EQ(store.Text(RecentSection, "0"), FileName(11) + "*Song 11");
    EXPECT_EQ(store.Text(RecentSection, "9"), FileName(2) + "*Song 2");
}

TEST(RecentFiles, ReopenedFileMovesToTheTopWithoutDuplicate) {
    TMemoryConfig store;
    RememberFiles(store, 3);
    const std::vector<std::string> list = RememberRecentFile(store, FileName(1), "Renamed");
    EXPECT_EQ(list, (std::vector<std::string>{FileName(1) + "*Renamed", FileName(3) + "*Song 3",
                                              FileName(2) + "*Song 2"}));
}

TEST(RecentFiles, PathsDifferingInCaseAreDifferentFiles) {
    TMemoryConfig store;
    RememberRecentFile(store, "/tabs/a.frl", "a.frl");
    EXPECT_EQ(RememberRecentFile(store, "/tabs/A.frl", "A.frl").size(), 2u);
}

TEST(RecentFiles, ShortListWritesEmptySlotsAndEmptySlotsAreSkippedOnRead) {
    TMemoryConfig store;
    WriteRecentFiles(store, {"/a.frl*a", "/b.frl*b"});
    EXPECT_EQ(store.Text(RecentSection, "2"), "");
    EXPECT_EQ(store.Text(RecentSection, "9"), "");
    store.WriteString(RecentSection, "0", "");
    store.WriteString(RecentSection, "5", "/c.frl*c");
    EXPECT_EQ(ReadRecentFiles(store), (std::vector<std::string>{"/b.frl*b", "/c.frl*c"}));
}

TEST(RecentFiles, PathIsTheTextBeforeTheFirstStar) {
    EXPECT_EQ(RecentFilePath("/x/a*b.frl*a*b"), "/x/a");
    EXPECT_EQ(RecentFilePath("/x/plain.frl"), "/x/plain.frl");
}

}  // namespace
}  // namespace fretlo
