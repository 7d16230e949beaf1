// The main window's rules without a window: recent-file captions, the exception display's
// text, the temporary-folder refusal, the dialogs' number fields and the help pages' anchors.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ParamName.h"
#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"

namespace fretlo {
namespace {

TEST(RecentItemCaption, NumbersFromOneToZeroAndDoublesAmpersands) {
    EXPECT_EQ(RecentItemCaption(0, "song.frl"), "&1 song.frl");
    EXPECT_EQ(RecentItemCaption(8, "a.frl"), "&9 a.frl");
    EXPECT_EQ(RecentItemCaption(9, "Rock & Roll.frl"), "&0 Rock && Roll.frl");
    EXPECT_EQ(RecentItemCaption(1, "&&"), "&2 &&&&");
}

TEST(WindowCaption, NamesTheFileWithoutFoldersOrUntitled) {
    EXPECT_EQ(WindowCaption(""), "Untitled - Fretlo");
    EXPECT_EQ(WindowCaption("/home/u/Tabs/My Song.frl"), "My Song.frl - Fretlo");
}

struct TErrorCase {
    const char* Message;
    bool Internal;
    const char* Shown;
};

void PrintTo(const TErrorCase& c, std::ostream* os) { *os << "'" << c.Message << "'"; }

class ErrorDisplay : public testing::TestWithParam<TErrorCase> {};

TEST_P(ErrorDisplay, AppendsAFullStopAfterLettersAndDigitsOnly) {
    EXPECT_EQ(ErrorDisplayText(GetParam().Message, GetParam().Internal), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ErrorDisplay,
    testing::Values(TErrorCase{"Can't play because there are no MIDI devices installed on the system", false,
                               "Can't play because there are no MIDI devices installed on the system."},
                    TErrorCase{"The file is damaged.", false, "The file is damaged."},
                    TErrorCase{"Really?", false, "Really?"}, TErrorCase{"Stop!", false, "Stop!"},
                    TErrorCase{"Code: 9", false, "Code: 9."}, TErrorCase{"Path /a/", false, "Path /a/."},
                    TErrorCase{"Error code 42", false, "Error code 42."}, TErrorCase{"", false, ""},
                    TErrorCase{"Internal error: count > 0 (/src/document/TabDoc.cpp:12)", true,
                               "Internal error: count > 0 (TabDoc.cpp:12)"},
                    TErrorCase{"Assertion failed (C:\\src\\Doc.pas, line 5)", true,
                               "Assertion failed (Doc.pas, line 5)"},
                    TErrorCase{"a/b (c)", false, "a/b (c)"}),
    test::PrintedName());

TEST(SaveRefusal, RefusesTheFoldersOfTmpTempAndTmpdirOnly) {
    QTemporaryDir dir;
    const std::string temp = dir.path().toStdString();
    const std::string file = temp + "/song.frl";
    EXPECT_EQ(RefusedSaveFolder(file, {temp, "", ""}), temp);
    EXPECT_EQ(RefusedSaveFolder(file, {"", temp + "/", ""}), temp);
    EXPECT_EQ(RefusedSaveFolder(file, {"", "", temp + "/./"}), temp);
    EXPECT_EQ(RefusedSaveFolder(temp + "/sub/song.frl", {temp, temp, temp}), std::nullopt);
    EXPECT_EQ(RefusedSaveFolder(file, {"", "", ""}), std::nullopt);
}

TEST(SaveRefusal, SeesTheTemporaryFolderThroughASymbolicLink) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
    ASSERT_TRUE(QFile::link(dir.filePath("real"), dir.filePath("link")));
    EXPECT_TRUE(RefusedSaveFolder(dir.filePath("link/song.frl").toStdString(),
                                  {dir.filePath("real").toStdString(), "", ""}));
}

struct TFieldCase {
    const char* Text;
    std::optional<int> Beats, Bar, Tempo;
};

void PrintTo(const TFieldCase& c, std::ostream* os) { *os << "'" << c.Text << "'"; }

class NumberFields : public testing::TestWithParam<TFieldCase> {};

TEST_P(NumberFields, TakeWholeNumbersInTheirRangeOnly) {
    const TFieldCase& c = GetParam();
    EXPECT_EQ(ParseBeats(c.Text), c.Beats);
    EXPECT_EQ(ParseBarNumber(c.Text), c.Bar);
    EXPECT_EQ(ParseTempo(c.Text), c.Tempo);
}

constexpr std::nullopt_t none = std::nullopt;
INSTANTIATE_TEST_SUITE_P(Texts, NumberFields,
                         testing::Values(TFieldCase{"4", 4, 4, none}, TFieldCase{" 16 ", 16, 16, none},
                                         TFieldCase{"17", none, 17, none}, TFieldCase{"0", none, none, none},
                                         TFieldCase{"-3", none, none, none},
                                         TFieldCase{"abc", none, none, none},
                                         TFieldCase{"12a", none, none, none},
                                         TFieldCase{"", none, none, none}, TFieldCase{"30", none, 30, 30},
                                         TFieldCase{"500", none, 500, 500}, TFieldCase{"29", none, 29, none},
                                         TFieldCase{"501", none, 501, none},
                                         TFieldCase{"+120", none, 120, 120},
                                         TFieldCase{"99999999999999999999", none, none, none}),
                         test::PrintedName());

TEST(BarSpaces, AddsTheFractionToFourSpacesPerBeat) {
    EXPECT_EQ(BarSpaces(4, 3), 19);
    EXPECT_EQ(BarSpaces(1, 0), 4);
    EXPECT_EQ(BarSpaces(16, 3), 67);
}

// Every context number the program asks for has its page and anchor among the installed pages.
TEST(HelpPages, EveryContextHasItsAnchor) {
    std::vector<int> contexts{hcDrumKeys, hcKeyboard};
    for (int c = hcTrackProperties; c <= hcSpecificTrackEffect; ++c) contexts.push_back(c);
    for (const int context : contexts) {
        const QString page = QString::fromStdString(HelpPageOf(context));
        ASSERT_NE(page, "index.html") << context;
        QFile file(QString(FRETLO_HELP_DIR) + "/" + page.section('#', 0, 0));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        EXPECT_TRUE(file.readAll().contains(("name=\"" + page.section('#', 1) + "\"").toUtf8()))
            << page.toStdString();
    }
    EXPECT_EQ(HelpPageOf(hcDefaultTopic), "index.html");
}

}  // namespace
}  // namespace fretlo
