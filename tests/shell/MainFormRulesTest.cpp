// The main window's rules without a window: the exception display's text, the temporary-folder
// refusal, the dialogs' number fields, the print preview's page size and the help pages' anchors.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ParamName.h"
#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"
#include "shell/PrintPreview.h"

namespace fretlo {
namespace {

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
                    TErrorCase{"Really?", false, "Really?"}, TErrorCase{"Code: 9", false, "Code: 9."},
                    TErrorCase{"Reason:", false, "Reason:"}, TErrorCase{"a; b;", false, "a; b;"},
                    TErrorCase{"Path /a/", false, "Path /a/."}, TErrorCase{"", false, ""},
                    TErrorCase{"Internal error: count > 0 (/src/document/TabDoc.cpp:12)", true,
                               "Internal error: count > 0 (TabDoc.cpp:12)"},
                    TErrorCase{"Assertion failed (C:\\src\\Doc.pas, line 5)", true,
                               "Assertion failed (Doc.pas, line 5)"},
                    TErrorCase{"a/b (c)", false, "a/b (c)"}),
    test::PrintedName());

TEST(SaveRefusal, RefusesTheFoldersOfTmpTempAndTmpdirAlsoThroughALink) {
    QTemporaryDir dir;
    const std::string temp = dir.path().toStdString();
    const std::string file = temp + "/song.frl";
    EXPECT_EQ(RefusedSaveFolder(file, {temp, "", ""}), temp);
    EXPECT_EQ(RefusedSaveFolder(file, {"", temp + "/", ""}), temp);
    EXPECT_EQ(RefusedSaveFolder(file, {"", "", temp + "/./"}), temp);
    EXPECT_EQ(RefusedSaveFolder(temp + "/sub/song.frl", {temp, temp, temp}), std::nullopt);
    EXPECT_EQ(RefusedSaveFolder(file, {"", "", ""}), std::nullopt);

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
INSTANTIATE_TEST_SUITE_P(
    Texts, NumberFields,
    testing::Values(TFieldCase{"1", 1, 1, none}, TFieldCase{" 16 ", 16, 16, none},
                    TFieldCase{"17", none, 17, none}, TFieldCase{"0", none, none, none},
                    TFieldCase{"12a", none, none, none}, TFieldCase{"", none, none, none},
                    TFieldCase{"30", none, 30, 30}, TFieldCase{"500", none, 500, 500},
                    TFieldCase{"29", none, 29, none}, TFieldCase{"501", none, 501, none},
                    TFieldCase{"+120", none, 120, 120}, TFieldCase{"99999999999999999999", none, none, none}),
    test::PrintedName());

struct TZoomCase {
    const char* name;
    QSize Area;
    int Zoom;
    QSize Page;
};
FRETLO_PRINT_AS_NAME(TZoomCase)

class PreviewZoom : public testing::TestWithParam<TZoomCase> {};

// Letter paper, 816 x 1056 units.
TEST_P(PreviewZoom, PageFitsTheAreaThenGrows) {
    EXPECT_EQ(PreviewPageSize(GetParam().Area, QSize(816, 1056), GetParam().Zoom), GetParam().Page);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PreviewZoom,
    testing::Values(TZoomCase{"tall area fits the width", QSize(416, 1000), 0, QSize(400, 517)},
                    TZoomCase{"wide area fits the height", QSize(1000, 544), 0, QSize(408, 528)},
                    TZoomCase{"one and a half", QSize(416, 1000), 1, QSize(600, 776)},
                    TZoomCase{"three and a half", QSize(416, 1000), 5, QSize(1400, 1810)}),
    test::PrintedName());

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
