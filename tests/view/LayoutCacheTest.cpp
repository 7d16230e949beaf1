// The layout cache: lazy layout, invalidation by bar and the document listener.
#include "LayoutFixture.h"
#include "ParamName.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace fretlo;
using fretlo::test::FixedMetrics;
using fretlo::test::TLayoutFixture;

namespace {

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
    EXPECT_TRUE(f.layout.Bar(3).Valid);
    EXPECT_GE(f.layout.LaidOutUpTo(), 4);
    EXPECT_EQ(f.layout.BarX(0), f.layout.Metrics().TuningColumnWidth);
    EXPECT_EQ(f.layout.BarX(1), f.layout.BarX(0) + f.layout.Bar(0).Width);
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
    EXPECT_TRUE(f.layout.Dirty());
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

}  // namespace
