// The settings table: every ident's name, default and stored form; validation of what is read
// back; the recent-file list; the "<doc>" token of path settings.
#include <gtest/gtest.h>

#include "ParamName.h"
#include "shell/ConfigDocPath.h"
#include "shell/MemoryConfig.h"
#include "shell/SettingsRecent.h"
#include "shell/SettingsTable.h"

namespace fretlo {
namespace {

using test::TMemoryConfig;

struct TStored {
    std::string Section, Ident, Text;
};

// Some of what a fresh profile writes at its first exit: the stored -1 of PlayNotesWhileEditing
// reads as the current track, the folder keeps its token, and each section has its idents.
const TStored FreshProfile[] = {
    {"", "DefaultPath", "<doc>/Fretlo Tabs"}, {"", "PlayNotesWhileEditing", "1"},
    {"", "MIDIDevice", "-1"},                 {"Print", "BottomMarginNew", "500"},
    {"Practice", "TrainerTarget", "100"},     {"Colors", "HighlightText", "12632256"},
    {"Fonts", "PrintPageNumber.Height", "18"}};

// Every ident of a fresh profile: 21 in the root section, 4 margins, 8 practice values, 9
// colours, 10 font values, and the toolbars.
constexpr size_t FreshProfileValues = 21 + 4 + 8 + 9 + 10 + 1;

bool AnyFont(const std::string&) { return true; }

TMemoryConfig Stored(const TSettings& settings) {
    TMemoryConfig store;
    WriteSettings(settings, store);
    return store;
}

TEST(SettingsDefaults, FreshProfileWritesEveryIdentWithItsDefaultAndNothingElse) {
    const TMemoryConfig store = Stored(TSettings{});
    for (const TStored& v : FreshProfile)
        EXPECT_EQ(store.Text(v.Section, v.Ident), v.Text) << v.Section << "/" << v.Ident;
    EXPECT_EQ(store.ReadBinary(ToolbarsSection, ToolbarsIdent), std::vector<uint8_t>{});
    EXPECT_EQ(store.Values.size(), FreshProfileValues);
    EXPECT_EQ(Stored(ReadSettings(TMemoryConfig{}, AnyFont)).Values, store.Values);
}

struct TBadValue {
    std::string Section, Ident, Stored, ReadAs;  // ReadAs: how it is written back after reading
};

void PrintTo(const TBadValue& v, std::ostream* os) {
    *os << v.Section << " " << v.Ident << " '" << v.Stored << "'";
}

class SettingsValidation : public testing::TestWithParam<TBadValue> {};

TEST_P(SettingsValidation, StoredValueIsReadBackValidated) {
    const TBadValue& v = GetParam();
    TMemoryConfig store;
    store.WriteString(v.Section, v.Ident, v.Stored);
    EXPECT_EQ(Stored(ReadSettings(store, AnyFont)).Text(v.Section, v.Ident), v.ReadAs);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsValidation,
    testing::Values(
        TBadValue{"", "PlayNotesWhileEditing", "abc", "1"}, TBadValue{"", "PlayNotesWhileEditing", "0", "0"},
        TBadValue{"", "PlayNotesWhileEditing", "2", "2"}, TBadValue{"", "PlayNotesWhileEditing", "3", "1"},
        TBadValue{"", "MetronomeDrum", "-1", "37"}, TBadValue{"", "MetronomeDrum", "127", "127"},
        TBadValue{"", "MetronomeVolume", "128", "96"}, TBadValue{"", "MIDIDevice", " +4 ", "4"},
        TBadValue{"", "MIDIDevice", "99999999999", "-1"}, TBadValue{"", "MIDIDevice", "2x", "-1"},
        TBadValue{"", "UseSameInst", "yes", "1"}, TBadValue{"", "MovingBar", "-3", "1"},
        TBadValue{"Print", "LeftMarginNew", "-20", "-20"}, TBadValue{"Colors", "Bkg", "16777216", "16777215"},
        TBadValue{"Colors", "Bkg", "0x00FF", "16777215"}, TBadValue{"Practice", "Speed", "24", "100"},
        TBadValue{"Practice", "Speed", "25", "25"}, TBadValue{"Practice", "TrainerTarget", "200", "200"},
        TBadValue{"Practice", "TrainerTarget", "201", "100"}, TBadValue{"Practice", "TrainerStep", "0", "5"},
        TBadValue{"Practice", "TrainerEvery", "100", "1"}),
    test::PrintedName());

struct TFontCase {
    std::string Name, Height;
    bool Accepted;
};

void PrintTo(const TFontCase& c, std::ostream* os) {
    *os << "'" << c.Name << "' height '" << c.Height << "'";
}

class FontValidation : public testing::TestWithParam<TFontCase> {};

TEST_P(FontValidation, PairReplacesTheDefaultOnlyWhenInstalledAndEightToFifty) {
    const TFontCase& c = GetParam();
    TMemoryConfig store;
    store.WriteString(FontsSection, "PrintArtist.Name", c.Name);
    store.WriteString(FontsSection, "PrintArtist.Height", c.Height);
    TTabFontSettings expected = DefaultFonts();
    if (c.Accepted) expected.PrintArtist = {c.Name, std::stoi(c.Height)};
    EXPECT_TRUE(ReadSettings(store, [](const std::string& f) { return f == "Liberation Sans"; }).Fonts ==
                expected);
}

INSTANTIATE_TEST_SUITE_P(Pairs, FontValidation,
                         testing::Values(TFontCase{"Liberation Sans", "8", true},
                                         TFontCase{"Liberation Sans", "50", true},
                                         TFontCase{"Liberation Sans", "7", false},
                                         TFontCase{"Liberation Sans", "51", false},
                                         TFontCase{"No Such Font", "20", false}),
                         test::PrintedName());

TEST(RecentFiles, EleventhFileDropsTheOldestAndTheListIsStoredNewestFirst) {
    TMemoryConfig store;
    std::vector<std::string> list;
    for (int i = 1; i <= 11; ++i)
        list = RememberRecentFile(store, "/t/" + std::to_string(i), std::to_string(i));
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), "/t/11*11");
    EXPECT_EQ(list.back(), "/t/2*2");
    EXPECT_EQ(store.Text(RecentSection, "0"), "/t/11*11");
    EXPECT_EQ(ReadRecentFiles(store), list);

    // A reopened file moves to the top; paths differing in case stay apart.
    EXPECT_EQ(RememberRecentFile(store, "/t/3", "three"),
              (std::vector<std::string>{"/t/3*three", "/t/11*11", "/t/10*10", "/t/9*9", "/t/8*8", "/t/7*7",
                                        "/t/6*6", "/t/5*5", "/t/4*4", "/t/2*2"}));
    EXPECT_EQ(RememberRecentFile(store, "/T/3", "THREE").front(), "/T/3*THREE");
    EXPECT_EQ(ReadRecentFiles(store).at(1), "/t/3*three");
}

TEST(RecentFiles, ShortListWritesEmptySlotsAndEmptySlotsAreSkippedOnRead) {
    TMemoryConfig store;
    WriteRecentFiles(store, {"/a*a", "/b*b"});
    EXPECT_EQ(store.Text(RecentSection, "9"), "");
    store.WriteString(RecentSection, "0", "");
    store.WriteString(RecentSection, "5", "/c*c");
    EXPECT_EQ(ReadRecentFiles(store), (std::vector<std::string>{"/b*b", "/c*c"}));
}

constexpr const char* Docs = "/home/user/Documents";

struct TDocCase {
    bool Expand;  // else collapse
    std::string Path, Documents, Result;
};

void PrintTo(const TDocCase& c, std::ostream* os) {
    *os << (c.Expand ? "expand '" : "collapse '") << c.Path << "'"
        << (c.Documents.empty() ? " without documents" : "");
}

class DocPath : public testing::TestWithParam<TDocCase> {};

TEST_P(DocPath, TokenStandsForTheDocumentsFolderOnly) {
    const TDocCase& c = GetParam();
    EXPECT_EQ(c.Expand ? ExpandDocPath(c.Path, c.Documents) : CollapseDocPath(c.Path, c.Documents), c.Result);
}

INSTANTIATE_TEST_SUITE_P(
    Token, DocPath,
    testing::Values(TDocCase{true, "<doc>", Docs, Docs},
                    TDocCase{true, "<doc>\\Fretlo Tabs", Docs, "/home/user/Documents/Fretlo Tabs"},
                    TDocCase{true, "<doc>/Fretlo Tabs", "", ""}, TDocCase{true, "<DOC>/x", Docs, "<DOC>/x"},
                    TDocCase{true, "<doc>x", Docs, "<doc>x"}, TDocCase{true, "/srv/<doc>/x", Docs, "/srv/<doc>/x"},
                    TDocCase{false, "/home/user/Documents/Fretlo Tabs", Docs, "<doc>/Fretlo Tabs"},
                    TDocCase{false, "/home/user/Documents", Docs, "<doc>"},
                    TDocCase{false, "/home/user/Documents2/x", Docs, "/home/user/Documents2/x"},
                    TDocCase{false, "/home/user/Documents/", Docs, "/home/user/Documents/"},
                    TDocCase{false, "/home/user/documents/x", Docs, "/home/user/documents/x"},
                    TDocCase{false, "/home/user/Documents/x", "", "/home/user/Documents/x"}),
    test::NumberedName());

}  // namespace
}  // namespace fretlo
