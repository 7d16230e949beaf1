// Printed rows and pages with fixed font tables, and the order of a job's pages and copies.
#include "LayoutFixture.h"
#include "ParamName.h"
#include "view/layout/PrintJob.h"
#include "view/layout/PrintRows.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace fretlo;
using fretlo::test::TLayoutFixture;

namespace {

constexpr int PlainBar = 181;  // 16 plain spaces with a single bar line (BarLayoutTest)
constexpr int TrackHeight = 121;  // a six-string band without text lines and its two margins
constexpr int Margin = 8;

// A song of `bars` bars whose last bar holds a note, so that all of them are printed.
struct TSong : TLayoutFixture {
    explicit TSong(int bars, int tracks = 1) : TLayoutFixture(tracks) {
        Space(0, bars * 16 - 1).Notes[0] = NoteFretBase + 3;
    }
    TPrintRows Rows(int width, int height = 100000, int top = 0) {
        return LayOutRows(layout, TPageArea{width, height, top});
    }
    bool StartsABar(int32_t time) {
        int bar = 0;
        return doc.FindBar(time, bar);
    }
};

// Every row fits the page and the next one starts where it ends.
void ExpectRowsFitAndFollow(const TPrintRows& rows, int width) {
    for (size_t i = 0; i < rows.Rows.size(); ++i) {
        const TRowInfo& row = rows.Rows[i];
        EXPECT_LT(row.EndX - row.XOffset, width) << "row " << i;
        if (i + 1 == rows.Rows.size()) continue;
        EXPECT_EQ(row.EndTime, rows.Rows[i + 1].StartTime) << "row " << i;
        EXPECT_EQ(row.EndX, rows.Rows[i + 1].XOffset) << "row " << i;
    }
}

struct TWidthCase {
    const char* name;
    int Width, BarsInFirstRow, BarsInOtherRows;
};
FRETLO_PRINT_AS_NAME(TWidthCase)

class BarsThatFit : public testing::TestWithParam<TWidthCase> {};

TEST_P(BarsThatFit, AreNeverSplit) {
    const TWidthCase& c = GetParam();
    TSong song(24);
    const TPrintRows rows = song.Rows(c.Width);
    ExpectRowsFitAndFollow(rows, c.Width);
    ASSERT_GE(rows.Rows.size(), 3u);
    EXPECT_EQ(rows.Rows[0].XOffset, 0);
    EXPECT_EQ(rows.Rows[1].StartTime, c.BarsInFirstRow * 16 * UnitsPerSpace);
    for (size_t i = 1; i + 1 < rows.Rows.size(); ++i) {
        const TRowInfo& row = rows.Rows[i];
        EXPECT_TRUE(song.StartsABar(row.StartTime)) << "row " << i;
        EXPECT_EQ(row.EndTime - row.StartTime, c.BarsInOtherRows * 16 * UnitsPerSpace) << "row " << i;
    }
    EXPECT_EQ(rows.Rows.back().EndTime, song.doc.BarEnd(23));
}

// The first row also holds the 29-wide tuning column; a row needs one unit for its left edge line.
INSTANTIATE_TEST_SUITE_P(
    PageWidths, BarsThatFit,
    testing::Values(TWidthCase{"exactly one bar", PlainBar + 29, 1, 1},
                    TWidthCase{"one unit short of two bars", 2 * PlainBar, 1, 1},
                    TWidthCase{"two bars and their edge", 2 * PlainBar + 1, 1, 2},
                    TWidthCase{"letter paper", 720, 3, 3}),
    fretlo::test::PrintedName());

TEST(PrintRows, ABarWiderThanThePageIsSplitBetweenColumns) {
    TSong song(6);
    for (int s = 3 * 16; s < 4 * 16; ++s) {  // bar 3: 16 spaces of 4 + 19 + 5
        song.Space(0, s).Notes[1] = NoteFretBase + 12;
        song.Space(0, s).Effects[1] = '(';
    }
    const int width = 400;
    ASSERT_GT(song.layout.EnsureLaidOut(3).Width + 1, width);
    const TPrintRows rows = song.Rows(width);
    ExpectRowsFitAndFollow(rows, width);
    int splits = 0;
    for (const TRowInfo& row : rows.Rows) {
        if (song.StartsABar(row.StartTime)) continue;
        ++splits;
        EXPECT_EQ(song.doc.BarAtTime(row.StartTime), 3) << "only the wide bar is split";
        EXPECT_EQ(row.StartTime % UnitsPerSpace, 0) << "at a column";
    }
    EXPECT_EQ(splits, 1);
}

TEST(PrintRows, AColumnWiderThanThePageStaysInOneRow) {
    TSong song(2);
    const TPrintRows rows = song.Rows(5);
    // Every column becomes a row of its own; no row is empty.
    ASSERT_EQ(rows.Rows.size(), 32u);
    for (size_t i = 1; i < rows.Rows.size(); ++i)
        EXPECT_EQ(rows.Rows[i].StartTime, int32_t(i) * UnitsPerSpace);
}

TEST(PrintRows, StaffBreaksDoNotBreakRows) {
    TSong song(4);
    song.doc.Bar(1).StaffBreak = 1;
    song.doc.Bar(2).StaffBreak = 1;
    song.Relayout();
    EXPECT_EQ(song.Rows(1000).Rows.size(), 1u);
}

struct TPageCase {
    const char* name;
    int Bars, Height, TitleBlock;
    std::vector<int> FirstTops;  // the top of the first row of each page
};
FRETLO_PRINT_AS_NAME(TPageCase)

class PageStarts : public testing::TestWithParam<TPageCase> {};

// Rows of one bar each. A row that does not fit goes to the next page, unless it would be
// the first there.
TEST_P(PageStarts, OnlyTheTitleBlockMovesTheFirstPagesRows) {
    const TPageCase& c = GetParam();
    TSong song(c.Bars);
    const TPrintRows rows = song.Rows(PlainBar + 29, c.Height, c.TitleBlock);
    std::vector<int> firstTops;
    for (size_t i = 0; i < rows.Rows.size(); ++i) {
        const TRowInfo& row = rows.Rows[i];
        if (i == 0 || row.Page != rows.Rows[i - 1].Page)
            firstTops.push_back(row.Top);
        else
            EXPECT_LE(row.Top + row.Height - 2 * Margin, c.Height) << "row " << i;
    }
    EXPECT_EQ(firstTops, c.FirstTops);
    EXPECT_EQ(rows.PageCount, int(firstTops.size()));
}

// Three rows fit a page when the last one's bottom margin may stick out.
INSTANTIATE_TEST_SUITE_P(
    Pages, PageStarts,
    testing::Values(TPageCase{"no title block", 9, 3 * TrackHeight - 2 * Margin, 0, {0, 0, 0}},
                    TPageCase{"a title block", 9, 3 * TrackHeight - 2 * Margin, 60, {60, 0, 0, 0}},
                    TPageCase{"rows taller than the page", 6, TrackHeight / 2, 0, {0, 0, 0, 0, 0, 0}}),
    fretlo::test::PrintedName());

// --- Print jobs -------------------------------------------------------------------

// Records the pages, -1 for each new sheet, and cancels at status number `cancelAt`.
struct TRecordingTarget : TPrintTarget {
    bool BeforePage(const std::string& status) override {
        statuses.push_back(status);
        return int(statuses.size()) != cancelAt;
    }
    void NewPage() override { pages.push_back(-1); }
    void PaintPage(int page) override { pages.push_back(page); }

    int cancelAt = 0;
    std::vector<std::string> statuses;
    std::vector<int> pages;
};

struct TJobCase {
    const char* name;
    TPrintJob Job;
    int CancelAt;  // the status that cancels, 0 for none
    std::vector<int> Pages;
    std::vector<std::string> Statuses;
};
FRETLO_PRINT_AS_NAME(TJobCase)

class PrintOrder : public testing::TestWithParam<TJobCase> {};

TEST_P(PrintOrder, PagesCopiesAndStatus) {
    TRecordingTarget target;
    target.cancelAt = GetParam().CancelAt;
    EXPECT_EQ(RunPrintJob(GetParam().Job, target), GetParam().CancelAt == 0);
    EXPECT_EQ(target.pages, GetParam().Pages);
    EXPECT_EQ(target.statuses, GetParam().Statuses);
}

// Cancelling stops before the next page.
INSTANTIATE_TEST_SUITE_P(
    Jobs, PrintOrder,
    testing::Values(TJobCase{"collated", {2, 3, 2, true}, 0, {2, -1, 3, -1, 2, -1, 3},
                             {"Page 2, Copy 1", "Page 3, Copy 1", "Page 2, Copy 2", "Page 3, Copy 2"}},
                    TJobCase{"not collated", {2, 3, 2, false}, 0, {2, -1, 2, -1, 3, -1, 3},
                             {"Page 2, Copy 1", "Page 2, Copy 2", "Page 3, Copy 1", "Page 3, Copy 2"}},
                    TJobCase{"one copy", {1, 2, 1, false}, 0, {1, -1, 2}, {"Page 1", "Page 2"}},
                    TJobCase{"cancelled", {1, 5, 1, true}, 3, {1, -1, 2}, {"Page 1", "Page 2", "Page 3"}}),
    fretlo::test::PrintedName());

}  // namespace
