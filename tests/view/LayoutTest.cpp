// Metrics from width tables, the vertical layout of track bands, the horizontal layout of one
// bar (columns, room for numbers and effects, bar lines), and the layout cache: lazy layout,
// invalidation by bar and the document listener; printed rows and pages, and the order of a
// print job's pages and copies.
#include "LayoutFixture.h"
#include "ParamName.h"
#include "document/TrackProps.h"
#include "view/layout/PrintJob.h"
#include "view/layout/PrintRows.h"
#include "view/layout/TrackBands.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace fretlo;
using fretlo::test::FixedMetrics;
using fretlo::test::TLayoutFixture;

namespace {

TEST(Metrics, TuningColumnFitsAWideFlatName) {
    TFontWidths normal;
    normal.Height = 15;
    normal.Char.fill(4);
    normal.Char['G'] = 30;  // "Gb" wider than any number
    EXPECT_EQ(ComputeMetrics(normal, normal).TuningColumnWidth, 30 + 4 + 5);
}

TEST(Metrics, SpacesFitTheWidestNumberTheyHold) {
    TFontWidths normal;
    normal.Height = 15;
    normal.Char.fill(4);
    normal.Char['9'] = 7;
    const TTabMetrics m = ComputeMetrics(normal, normal);
    EXPECT_EQ(m.SpaceWidth, 7 + 3);          // "9"
    EXPECT_EQ(m.WideSpaceWidth, 2 * 7 + 3);  // "99"
    EXPECT_EQ(m.RepeatDigitWidth, 7);
}

// Text lines above and below the strings take a line each, the effect line one below them.
TEST(TrackBands, StringsBetweenTheTextLinesAndTheEffectLineBelow) {
    TLayoutFixture f(2);
    TTrackData& second = f.doc.Track(1);
    second.StringCount = 4;
    second.TopTextLine = second.BottomTextLine = true;
    f.layout.LayOutVertically();
    const TTabMetrics& m = f.layout.Metrics();
    const TTrackBand& a = f.layout.Band(0);
    EXPECT_EQ(a.BandTop, m.TrackMargin);
    EXPECT_EQ(a.StringTop, a.BandTop);  // the margin already holds a repeat count
    EXPECT_EQ(a.EffectLineY, a.StringTop + 6 * m.LineHeight);
    EXPECT_EQ(a.BandBottom, a.EffectLineY + m.EffectLineHeight);
    const TTrackBand& b = f.layout.Band(1);
    EXPECT_EQ(b.BandTop, a.BandBottom + 2 * m.TrackMargin);
    EXPECT_EQ(b.TopTextY, b.BandTop);
    EXPECT_EQ(b.StringTop, b.BandTop + m.LineHeight);
    EXPECT_EQ(b.StringBottom, b.StringTop + 4 * m.LineHeight);
    EXPECT_EQ(b.BottomTextY, b.StringBottom + m.EffectLineHeight);
    EXPECT_EQ(b.BandBottom, b.BottomTextY + m.LineHeight);
    EXPECT_EQ(f.layout.Height(), b.BandBottom + m.TrackMargin);
}

TEST(TrackBands, RoomForARepeatCountWhenTheSmallFontIsTall) {
    TFontWidths normal;
    normal.Height = 10;
    normal.Char.fill(6);
    TFontWidths small = normal;
    small.Height = 20;
    TLayoutFixture f;
    f.layout.SetMetrics(ComputeMetrics(normal, small));
    // The top string line lies small font height + 2 below the start of the margin.
    EXPECT_EQ(StringLineY(f.layout.Band(0), f.layout.Metrics(), 5), 20 + 2);
}

TEST(TrackBands, HiddenTracksTakeNoRoom) {
    TLayoutFixture f(3);
    TTrackFilter shown = AllTracksShown;
    shown[1] = false;
    f.layout.SetTrackFilter(shown);
    const int margin = f.layout.Metrics().TrackMargin;
    EXPECT_EQ(f.layout.Band(1).BandHeight, 0);
    EXPECT_EQ(f.layout.Band(2).BandTop, f.layout.Band(0).BandBottom + 2 * margin);
    EXPECT_EQ(f.layout.Height(), f.layout.Band(2).BandBottom + margin);  // a printed row's height
    EXPECT_EQ(f.layout.FirstShownTrack(), 0);
    EXPECT_EQ(f.layout.LastShownTrack(), 2);
}

constexpr int Sw = 11;    // space width of the fixed tables
constexpr int Wide = 19;  // wide space width
constexpr int X0 = 2;     // first space of a bar without repeat-open sign
// Width of a plain bar of 16 spaces with a single bar line.
constexpr int PlainBar = X0 + 16 * Sw + 2 + 1;

using F = TLayoutFixture;

// A song of `tracks` tracks after `edit`: the width of bar `bar`, the width of its closing
// line, and where spaces stand in their bars ({track, space, x}).
struct TBarCase {
    const char* name;
    int tracks;
    void (*edit)(F&);
    int bar, width, lineWidth;
    std::vector<std::array<int, 3>> places = {};
};
FRETLO_PRINT_AS_NAME(TBarCase)
using B = TBarCase;

class BarLayout : public testing::TestWithParam<TBarCase> {};

TEST_P(BarLayout, WidthAndPlacesOfTheSpaces) {
    const TBarCase& c = GetParam();
    TLayoutFixture f(c.tracks);
    c.edit(f);
    f.Relayout();
    EXPECT_EQ(f.layout.Bar(c.bar).Width, c.width);
    EXPECT_EQ(f.layout.Bar(c.bar).BarLineWidth, c.lineWidth);
    for (const auto& [track, space, x] : c.places)
        EXPECT_EQ(f.Laid(track, space).X, x) << "track " << track << ", space " << space;
}

template <int Count>
void CloseRepeat(F& f) {
    f.doc.Bar(3).RepeatEnd = 1;
    f.doc.Bar(3).RepeatCount = Count;
}

// Fret 10 is the first of two digits; fret 9 keeps the plain width.
void TwoDigitFret(F& f) {
    f.Space(0, 1).Notes[2] = NoteFretBase + 10;
    f.Space(0, 3).Notes[0] = NoteFretBase + 9;
}

// "T" is 16 wide in the Small font, "W" 14 in the Normal one.
void LetterAndText(F& f) {
    f.doc.Track(0).TopTextLine = true;
    SetProp(f.Space(0, 2), pkTempo, 100);
    f.Space(0, 5).TopText = 'W';
}

void ShortTracks(F& f) {
    f.doc.Track(0).SetSpaceCount(36);
    f.doc.Track(1).SetSpaceCount(40);  // ends half-way through bar 2
}

// A fret of two digits and a bracket on the second track, shown or hidden.
template <bool Shown>
void WideTrack1(F& f) {
    f.Space(1, 4).Notes[0] = NoteFretBase + 20;
    f.Space(1, 6).Effects[0] = '(';
    TTrackFilter shown = AllTracksShown;
    shown[1] = Shown;
    f.layout.SetTrackFilter(shown);
}

INSTANTIATE_TEST_SUITE_P(
    Songs, BarLayout,
    testing::Values(
        B{"plain spaces", 1, [](F&) {}, 0, PlainBar, 1, {{0, 0, X0}, {0, 15, X0 + 15 * Sw}}},
        B{"two digit fret", 1, TwoDigitFret, 0, PlainBar + Wide - Sw, 1,
          {{0, 1, X0 + Sw}, {0, 2, X0 + Sw + Wide}, {0, 4, X0 + 4 * Sw + Wide - Sw}}},
        // One column: the narrow numbers move to share the wide number's centre.
        B{"wide number of another track", 3,
          [](F& f) { f.Space(1, 2).Notes[0] = NoteFretBase + 15; }, 0, PlainBar + Wide - Sw, 1,
          {{0, 1, X0 + Sw}, {0, 2, X0 + 2 * Sw + 4}, {1, 2, X0 + 2 * Sw}, {2, 2, X0 + 2 * Sw + 4},
           {0, 3, X0 + 3 * Sw + Wide - Sw}, {2, 15, X0 + 15 * Sw + Wide - Sw}}},
        B{"track effect letter and text", 1, LetterAndText, 0, PlainBar + 5 + 3, 1,
          {{0, 3, X0 + 2 * Sw + 16}, {0, 6, X0 + 5 * Sw + 5 + 14}}},
        // Three spaces in two sixteenths stand one space width apart, the other track's 1.5;
        // the columns at the cell's ends line up, after it the spacing is plain again.
        B{"triplet region", 2, [](F& f) { f.doc.Track(0).SetRatio(0, 3, 2, 3); }, 0,
          PlainBar + Sw, 1,
          {{0, 1, X0 + Sw}, {0, 2, X0 + 2 * Sw}, {1, 1, X0 + Sw * 3 / 2}, {0, 3, X0 + 3 * Sw},
           {1, 2, X0 + 3 * Sw}, {0, 4, X0 + 4 * Sw}, {1, 3, X0 + 4 * Sw}}},
        // Spaces at 3840, 4010, 4181: bar 1 begins inside the group, and its remaining third
        // of the cell is spaced by the triplet.
        B{"bar cutting a triplet", 2, [](F& f) { f.doc.Track(0).SetRatio(15, 3, 2, 3); }, 1,
          PlainBar + Sw * 3 / 2 - Sw, 1,
          {{1, 16, X0}, {0, 17, X0 + Sw / 2}, {0, 18, X0 + Sw * 3 / 2}, {1, 17, X0 + Sw * 3 / 2}}},
        // Tracks that end inside a bar leave it the time they miss; the longest one counts.
        B{"short tracks", 2, ShortTracks, 2, PlainBar, 1, {{1, 39, X0 + 7 * Sw}}},
        B{"bar after the tracks' end", 2, ShortTracks, 3, PlainBar, 1},
        B{"staff break", 1, [](F& f) { f.doc.Bar(5).StaffBreak = 1; }, 4, PlainBar + 3, 1},
        B{"repeat open", 1, [](F& f) { f.doc.Bar(1).RepeatStart = 1; }, 1, PlainBar + 10, 1,
          {{0, 16, 12}}},
        B{"final double bar", 1, [](F&) {}, 127, PlainBar - 1 + 6, 6},
        // A repeat close is as wide as the digits of its count, at least eleven.
        B{"repeat count 9", 1, CloseRepeat<9>, 3, PlainBar - 1 + 11, 11},
        B{"repeat count 10", 1, CloseRepeat<10>, 3, PlainBar - 1 + 14, 14},
        B{"repeat count 99", 1, CloseRepeat<99>, 3, PlainBar - 1 + 14, 14},
        B{"repeat count 100", 1, CloseRepeat<100>, 3, PlainBar - 1 + 21, 21},
        B{"wide track shown", 2, WideTrack1<true>, 0, PlainBar + (Wide - Sw) + 4 + 5, 1},
        B{"wide track hidden", 2, WideTrack1<false>, 0, PlainBar, 1}),
    fretlo::test::PrintedName());

// Room for an effect before and after the number of its space; the larger of the strings counts.
struct TEffectRoomCase {
    uint8_t Effect;
    int Pre, Post;
};

void PrintTo(const TEffectRoomCase& c, std::ostream* os) { *os << "effect '" << c.Effect << "'"; }

class EffectRoom : public testing::TestWithParam<TEffectRoomCase> {};

TEST_P(EffectRoom, PreAndPostWidths) {
    TLayoutFixture f;
    f.Space(0, 4).Effects[0] = GetParam().Effect;
    f.Space(0, 4).Effects[1] = 'h';
    const TSpaceLayout& s = f.Laid(0, 4);
    EXPECT_EQ(s.PreWidth, std::max(GetParam().Pre, 7));
    EXPECT_EQ(s.Width, s.PreWidth + Sw + GetParam().Post);
    EXPECT_EQ(f.Laid(0, 5).X, s.X + s.Width);
}

INSTANTIATE_TEST_SUITE_P(Characters, EffectRoom,
                         testing::Values(TEffectRoomCase{'/', 7, 0}, TEffectRoomCase{'^', 0, 7},
                                         TEffectRoomCase{'(', 4, 5}, TEffectRoomCase{'<', 7, 7}),
                         fretlo::test::NumberedName());

// --- The layout cache ---------------------------------------------------------------

std::vector<int> BarXs(TTabLayout& layout) {
    layout.RecomputeTotalWidth();
    std::vector<int> xs;
    for (int b = 0; b < layout.BarCount(); ++b) xs.push_back(layout.Bar(b).X);
    return xs;
}

// Bar x positions as a layout freshly made for the document computes them.
std::vector<int> FreshBarXs(TCustomTabDoc& doc) {
    TTabLayout fresh;
    fresh.SetMetrics(FixedMetrics());
    fresh.SetDocument(&doc);
    return BarXs(fresh);
}

TEST(LazyLayout, LaysOutUpToTheBarAskedForAndTheTotalWidthWithTheLast) {
    TLayoutFixture f;
    int widthChanges = 0;
    f.layout.OnTotalWidthChanged = [&] { ++widthChanges; };
    f.layout.EnsureLaidOut(3);
    EXPECT_GE(f.layout.LaidOutUpTo(), 4);
    EXPECT_EQ(f.layout.BarX(0), f.layout.Metrics().TuningColumnWidth);
    f.layout.RecomputeTotalWidth();
    const TBarLayout& last = f.layout.Bar(f.doc.BarCount() - 1);
    EXPECT_EQ(f.layout.TotalWidth(), last.X + last.Width + 20);
    EXPECT_EQ(widthChanges, 1);
}

TEST(LazyLayout, OnlyVisibleLeavesBarsRightOfTheViewInvalid) {
    TLayoutFixture f;
    const int right = f.layout.Metrics().TuningColumnWidth + 500;
    f.layout.EnsureLaidOut(0, right);
    int firstInvalid = 0;
    while (f.layout.Bar(firstInvalid).Valid) ++firstInvalid;
    EXPECT_LT(f.layout.Bar(firstInvalid - 1).X, right);
    EXPECT_GE(f.layout.Bar(firstInvalid).X, right);
    EXPECT_EQ(f.layout.LaidOutUpTo(), firstInvalid);
    EXPECT_EQ(f.layout.TotalWidth(), 0);  // not known until the last bar is laid out
}

TEST(Invalidation, AnEditRelaysOutOnlyItsBarAndMovesTheRest) {
    TLayoutFixture f(2);
    f.layout.RecomputeTotalWidth();
    const int before = f.layout.TotalWidth();
    int posted = 0;
    f.layout.OnInvalidated = [&] { ++posted; };
    f.Space(1, 5 * 16 + 3).Notes[0] = NoteFretBase + 42;
    f.layout.InvalidateSpace(1, 5 * 16 + 3);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(f.layout.LaidOutUpTo(), 5);
    EXPECT_FALSE(f.layout.Bar(5).Valid);
    EXPECT_TRUE(f.layout.Bar(6).Valid);
    EXPECT_EQ(BarXs(f.layout), FreshBarXs(f.doc));
    EXPECT_EQ(f.layout.TotalWidth(), before + 8);
}

TEST(Invalidation, SpacesAcrossBarsInvalidateEachBar) {
    TLayoutFixture f;
    f.layout.RecomputeTotalWidth();
    f.layout.InvalidateSpaces(0, 20, 70);
    for (int b = 0; b < 6; ++b) EXPECT_EQ(f.layout.Bar(b).Valid != 0, b == 0 || b == 5) << b;
}

TEST(Invalidation, MetricsChangeInvalidatesEverything) {
    TLayoutFixture f;
    f.layout.RecomputeTotalWidth();
    TTabMetrics bigger = FixedMetrics();
    bigger.SpaceWidth += 2;
    f.layout.SetMetrics(bigger);
    EXPECT_EQ(f.layout.LaidOutUpTo(), 0);
    EXPECT_EQ(f.layout.EnsureLaidOut(0).Width, 2 + 16 * 13 + 2 + 1);
}

// Bar changes reach the layout through the document listener.
using D = TCustomTabDoc&;
struct TChangeCase {
    const char* name;
    void (*change)(D);
};
FRETLO_PRINT_AS_NAME(TChangeCase)

class BarsChanged : public testing::TestWithParam<TChangeCase> {};

TEST_P(BarsChanged, LeaveTheBarsWhereAFreshLayoutPutsThem) {
    TLayoutFixture f(2);
    f.Space(0, 40).Notes[1] = NoteFretBase + 10;
    f.doc.Bar(7).RepeatEnd = 1;
    f.doc.Bar(7).RepeatCount = 100;
    f.layout.RecomputeTotalWidth();
    GetParam().change(f.doc);
    EXPECT_EQ(f.layout.BarCount(), f.doc.BarCount());
    EXPECT_EQ(BarXs(f.layout), FreshBarXs(f.doc));
}

// Deleting bar 7 merges it into bar 6, which then closes the repeat.
INSTANTIATE_TEST_SUITE_P(
    Changes, BarsChanged,
    testing::Values(
        TChangeCase{"insert inside a bar", [](D d) { d.CreateBar(d.Bar(2).Start + 2048, 1024, false); }},
        TChangeCase{"delete a bar", [](D d) { d.DeleteBar(7, true); }},
        TChangeCase{"delete the first bar", [](D d) { d.DeleteBar(0, false); }},
        TChangeCase{"clear all bars", [](D d) { d.ClearBars(); }},
        TChangeCase{"new document", [](D d) { d.New(12); }}),
    fretlo::test::PrintedName());

// Until laid out again a deleted bar's width goes to the bar before and an inserted bar has
// none, so that the bars after them keep their place.
TEST(BarWidths, StandInUntilLaidOut) {
    TLayoutFixture f;
    f.layout.RecomputeTotalWidth();
    const int six = f.layout.Bar(6).Width;
    const int seven = f.layout.Bar(7).Width;
    f.doc.DeleteBar(7, true);
    EXPECT_EQ(f.layout.Bar(6).Width, six + seven);
    f.doc.CreateBar(f.doc.Bar(2).Start + 8 * UnitsPerSpace, 4 * UnitsPerSpace, false);
    EXPECT_FALSE(f.layout.Bar(3).Valid);
    EXPECT_EQ(f.layout.Bar(3).Width, 0);
}

TEST(ColumnExtent, SpansTheSpacesOfAllTracksAtATime) {
    TLayoutFixture f(2);
    f.Space(1, 3).Effects[2] = '(';
    const auto [left, right] = f.layout.ColumnExtent(3 * UnitsPerSpace);
    const int barX = f.layout.BarX(0);
    const TSpaceLayout plain = f.Laid(0, 3);
    const TSpaceLayout bracket = f.Laid(1, 3);
    EXPECT_EQ(left, barX + std::min(plain.X, bracket.X));
    EXPECT_EQ(right, barX + std::max(plain.X + plain.Width, bracket.X + bracket.Width));
    EXPECT_EQ(right - left, bracket.Width);  // the bracketed space is the wider one
}

// --- Printed rows and pages -----------------------------------------------------------

constexpr int TrackHeight = 121;  // a six-string band without text lines and its two margins
constexpr int Margin = 8;

// A song of `bars` bars whose last bar holds a note, so that all of them are printed.
struct TSong : TLayoutFixture {
    explicit TSong(int bars) { Space(0, bars * 16 - 1).Notes[0] = NoteFretBase + 3; }
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

// Records the pages, -1 for each new sheet, and the status shown before each page.
struct TRecordingTarget : TPrintTarget {
    bool BeforePage(const std::string& status) override {
        statuses.push_back(status);
        return true;
    }
    void NewPage() override { pages.push_back(-1); }
    void PaintPage(int page) override { pages.push_back(page); }

    std::vector<std::string> statuses;
    std::vector<int> pages;
};

// Pages 2 and 3, two copies; one copy, and cancelling, are printed through the window in
// tests/shell.
TEST(PrintJob, CollatedCopiesTakeThePagesInTurn) {
    TRecordingTarget collated, grouped;
    EXPECT_TRUE(RunPrintJob(TPrintJob{2, 3, 2, true}, collated));
    EXPECT_EQ(collated.pages, (std::vector{2, -1, 3, -1, 2, -1, 3}));
    EXPECT_EQ(collated.statuses, (std::vector<std::string>{"Page 2, Copy 1", "Page 3, Copy 1",
                                                           "Page 2, Copy 2", "Page 3, Copy 2"}));
    EXPECT_TRUE(RunPrintJob(TPrintJob{2, 3, 2, false}, grouped));
    EXPECT_EQ(grouped.pages, (std::vector{2, -1, 2, -1, 3, -1, 3}));
    EXPECT_EQ(grouped.statuses, (std::vector<std::string>{"Page 2, Copy 1", "Page 2, Copy 2",
                                                          "Page 3, Copy 1", "Page 3, Copy 2"}));
}

}  // namespace
