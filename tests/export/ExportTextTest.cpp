#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ParamName.h"
#include "ScratchDir.h"
#include "base/Errors.h"
#include "export/ExportText.h"
#include "export/SongBuilder.h"
#include "platform/SafeFile.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

using TLines = std::vector<std::string>;

const std::bitset<MaxTracks> AllTracks = std::bitset<MaxTracks>().set();

// An untitled song gets no title line here; ExportTextFile checks the file name as title.
std::string Export(TCustomTabDoc& doc, TTextExportOptions options = {},
                   std::bitset<MaxTracks> tracks = AllTracks) {
    options.NoFileNameTitle = true;
    return ExportText(doc, "/home/user/songs/song.txt", options, tracks);
}

TTextExportOptions Width(int lineWidth) {
    TTextExportOptions options;
    options.LineWidth = lineWidth;
    return options;
}

// Lines joined with CR LF, each one ended.
std::string Lines(const TLines& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// A six-string staff in standard tuning, rows from the highest string down.
TLines Staff(const TLines& rows) {
    static const char* labels[] = {"E  :", "B  :", "G  :", "D  :", "A  :", "E  :"};
    TLines out;
    for (size_t i = 0; i < rows.size(); ++i) out.push_back(labels[i] + rows[i]);
    return out;
}

// The same with the four middle strings alike.
TLines Staff(const std::string& top, const std::string& middle, const std::string& low) {
    return Staff({top, middle, middle, middle, middle, low});
}

TLines operator+(TLines a, const TLines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

// --- The columns of notes, effects, bars and repeats ------------------------------

TEST(ExportTextColumns, EffectsMarksAndTextLines) {
    auto doc = MakeSong(1, 8);
    TTrackData& t = doc->Track(0);
    t.TopTextLine = t.BottomTextLine = true;
    PutFret(*doc, 0, 0, 0, 5);
    t.Space(0).Effects[0] = 'h';
    t.Space(0).TopText = 'A';
    PutFret(*doc, 0, 1, 1, 7);
    t.Space(1).Effects[1] = '(';
    t.Space(1).BottomText = 'z';
    PutNote(*doc, 0, 2, 2, NoteMuted);
    PutNote(*doc, 0, 2, 3, NoteStop);
    PutFret(*doc, 0, 3, 4, 3);
    t.Space(3).Effects[4] = '~';
    PutFret(*doc, 0, 4, 5, 10);
    t.Space(4).Effects[5] = '^';
    // The text characters stand above and below their space's number.
    EXPECT_EQ(Export(*doc), Lines(TLines{"     A              "} +
                                  Staff({"---------10^---|", "-------3~------|", "------*--------|",
                                         "------x--------|", "---(7)---------|", "h5-------------|"}) +
                                  TLines{"        z           "}));
}

class ExportTextRepeat : public ::testing::TestWithParam<int> {};

TEST_P(ExportTextRepeat, CountStandsOnTheHighestString) {
    auto doc = MakeSong(2, 4);
    SetRepeat(*doc, 0, 1, GetParam());
    PutFret(*doc, 0, 4, 0, 0);
    const std::string count = std::to_string(GetParam()) + (GetParam() < 10 ? "|" : "");
    EXPECT_EQ(Export(*doc), Lines(Staff({"| ----|---- " + count, "| ----|---- ||", "|*----|----*||",
                                         "|*----|----*||", "| ----|---- ||", "| ----|0--- ||"})));
}

INSTANTIATE_TEST_SUITE_P(Counts, ExportTextRepeat, ::testing::Values(3, 12), PrintedName());

TEST(ExportTextColumns, FourStringRepeatDotsAndKeyNumbers) {
    auto doc = MakeSong(1, 2);
    TTrackData& bass = doc->Track(0);
    bass.StringCount = 4;
    bass.ShowNumbers = true;
    for (int s = 0; s < 4; ++s) bass.Tuning[s] = -12;
    SetRepeat(*doc, 0, 0, 4);
    EXPECT_EQ(Export(*doc), Lines({"43 :| -- 4|", "38 :|*--*||", "33 :|*--*||", "28 :| -- ||"}));
}

TEST(ExportTextColumns, TrailingEmptyBarsAreLeftOut) {
    auto doc = MakeSong(4, 4, 2);
    PutFret(*doc, 1, 4, 0, 0);  // the last used bar counts over all tracks, chosen or not
    EXPECT_EQ(Export(*doc, {}, std::bitset<MaxTracks>().set(0)),
              Lines(Staff("----|----|", "----|----|", "----|----|")));
}

// --- Wrapping into systems and pages --------------------------------------------

TEST(ExportTextWrap, LongBarWrapsAtStepsWhenNoBarStartIsPending) {
    auto doc = MakeSong(1, 64);
    PutFret(*doc, 0, 63, 0, 7);
    const std::string d26(26, '-'), d12(12, '-');
    EXPECT_EQ(Export(*doc, Width(30)), Lines(Staff(d26, d26, d26) + TLines{""} + Staff(d26, d26, d26) +
                                             TLines{""} + Staff(d12 + "|", d12 + "|", d12.substr(1) + "7|")));
}

class ExportTextBreakAtBar : public ::testing::TestWithParam<bool> {};

TEST_P(ExportTextBreakAtBar, FullLineWrapsAtBarStartOrAtTheLastStep) {
    auto doc = MakeSong(4, 8);
    PutFret(*doc, 0, 31, 0, 1);
    TTextExportOptions options = Width(30);
    options.BreakAtBar = GetParam();
    const std::string bar = "--------|";
    const std::string first = GetParam() ? bar + bar : bar + bar + "-------";
    const std::string second = GetParam() ? bar + bar : "-|" + bar;
    std::string secondLow = second;
    secondLow[secondLow.size() - 2] = '1';
    EXPECT_EQ(Export(*doc, options),
              Lines(Staff(first, first, first) + TLines{""} + Staff(second, second, secondLow)));
}

INSTANTIATE_TEST_SUITE_P(Both, ExportTextBreakAtBar, ::testing::Bool(), PrintedName());

TEST(ExportTextWrap, SeveralTracksWithSeparatorsAndStaffBreak) {
    auto doc = MakeSong(2, 2, 2);
    doc->Title = "Two";
    doc->Track(1).StringCount = 4;
    PutFret(*doc, 0, 0, 0, 1);
    PutFret(*doc, 1, 3, 3, 2);
    doc->Bar(1).StaffBreak = 1;
    const auto bass = [](const std::string& top) {
        return TLines{"G  :" + top, "D  :--|", "A  :--|", "E  :--|", ""};
    };
    EXPECT_EQ(Export(*doc, Width(40)), Lines(TLines{"Two", ""} + Staff("--|", "--|", "1-|") + TLines{""} +
                                             bass("--|") + TLines{std::string(40, '='), ""} +
                                             Staff("--|", "--|", "--|") + TLines{""} + bass("-2|")));
}

TEST(ExportTextWrap, PageBreaksStartEveryPageWithAFormFeed) {
    auto doc = MakeSong(20, 4);
    doc->Title = "T";
    for (int b = 1; b < 20; ++b) doc->Bar(b).StaffBreak = 1;
    PutFret(*doc, 0, 79, 0, 0);
    TTextExportOptions options;
    options.PageBreaks = true;
    options.LinesPerPage = 51;
    const std::string text = Export(*doc, options);
    // Six systems of seven lines after the title, then seven per page, then one at the end.
    // The first page has room for exactly one more system, and a new page starts all the same.
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        pages.push_back(text.substr(start, ff - start));
    EXPECT_EQ(start, text.size());
    ASSERT_EQ(pages.size(), 3u);
    const auto lines = [](const std::string& page) { return std::count(page.begin(), page.end(), '\n'); };
    EXPECT_EQ(lines(pages[0]), 2 + 6 * 7);
    EXPECT_EQ(lines(pages[1]), 7 * 7);
    EXPECT_EQ(lines(pages[2]), 7 * 7 - 1);
    for (size_t p = 1; p < pages.size(); ++p) EXPECT_EQ(pages[p].substr(0, 4), "E  :");
}

// --- The options and the file ----------------------------------------------------

struct TOptionCase {
    int LineWidth;
    bool PageBreaks;
    int LinesPerPage;
    std::bitset<MaxTracks> Tracks;
    const char* Message;  // null when accepted
};

void PrintTo(const TOptionCase& c, std::ostream* os) {
    *os << "width " << c.LineWidth << (c.PageBreaks ? " pages of " : " no pages ") << c.LinesPerPage
        << " tracks " << c.Tracks.to_ulong();
}

class ExportTextOptions : public ::testing::TestWithParam<TOptionCase> {};

TEST_P(ExportTextOptions, RefusedWithTheDialogsMessage) {
    const TOptionCase& c = GetParam();
    TTextExportOptions options = Width(c.LineWidth);
    options.PageBreaks = c.PageBreaks;
    options.LinesPerPage = c.LinesPerPage;
    const auto problem = CheckTextExport(options, c.Tracks, 2);
    EXPECT_STREQ(problem ? problem->Message : nullptr, c.Message);
}

const std::bitset<MaxTracks> Second = std::bitset<MaxTracks>().set(1);
const std::bitset<MaxTracks> Third = std::bitset<MaxTracks>().set(2);

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportTextOptions,
    ::testing::Values(TOptionCase{30, false, 60, AllTracks, nullptr},
                      TOptionCase{160, true, 100, Second, nullptr},
                      TOptionCase{76, false, 10, AllTracks, nullptr},  // unused without pages
                      TOptionCase{29, false, 60, AllTracks, "Line Width must be between 30 and 160."},
                      TOptionCase{161, true, 10, {}, "Line Width must be between 30 and 160."},
                      TOptionCase{76, true, 49, AllTracks, "Lines must be between 50 and 100."},
                      TOptionCase{76, true, 101, {}, "Lines must be between 50 and 100."},
                      TOptionCase{76, false, 60, {}, "At least one track must be checked."},
                      TOptionCase{76, false, 60, Third, "At least one track must be checked."}),
    PrintedName());

TEST(ExportTextFile, WritesTheTextOrLeavesTheOldFile) {
    const TScratchDir dir;
    auto doc = MakeSong(1, 8);
    PutFret(*doc, 0, 0, 0, 3);
    const std::string name = dir.File("riff.tab");
    WriteTextExport(*doc, name, {}, AllTracks);
    const std::string expected = ExportText(*doc, name, {}, AllTracks);
    EXPECT_EQ(expected.substr(0, 12), "riff.tab\r\n\r\n");  // untitled: named after the file
    const auto bytes = ReadWholeFile(name);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_THROW(WriteTextExport(*doc, name, Width(10), AllTracks), EFretloError);
    EXPECT_THROW(WriteTextExport(*doc, dir.File("none/x.txt"), {}, AllTracks), EFretloError);
    EXPECT_EQ(ReadWholeFile(name), bytes);
}
