// The tempo measured from taps, on a clock the test moves by hand.
#include <gtest/gtest.h>

#include "ParamName.h"

#include <vector>

#include "playback/TempoTap.h"

namespace fretlo::test {
namespace {

class TempoTapTest : public ::testing::Test {
protected:
    uint32_t now = 1000;
    TTempoTap tap{[this] { return now; }};

    // Taps after each of the gaps (the first tap at the current time).
    void TapAfter(const std::vector<uint32_t>& gaps) {
        for (const uint32_t gap : gaps) {
            now += gap;
            tap.Tap();
        }
    }
};

TEST_F(TempoTapTest, ThreeTapsHalfASecondApartGive120) {
    TapAfter({0, 500});
    EXPECT_EQ(tap.AverageText(), "-");
    EXPECT_FALSE(tap.Tempo());
    TapAfter({500});
    EXPECT_EQ(tap.AverageText(), "120.00");
    EXPECT_EQ(tap.Tempo(), 120);
    EXPECT_EQ(tap.Count(), 2);
}

TEST_F(TempoTapTest, OnlyTheLast24IntervalsCount) {
    TapAfter({0});
    for (int i = 0; i < 12; ++i) TapAfter({600});
    for (int i = 0; i < 12; ++i) TapAfter({500});
    EXPECT_EQ(tap.Count(), TTempoTap::MaxIntervals);
    EXPECT_EQ(tap.AverageText(), "109.09");  // 24 intervals summing to 13200 ms
    TapAfter({500});
    EXPECT_EQ(tap.Count(), TTempoTap::MaxIntervals);
    EXPECT_EQ(tap.AverageText(), "109.92");  // the oldest 600 gone for a 500: 13100 ms
}

struct TTapRow {
    const char* name;
    std::vector<uint32_t> gaps;
    int count;            // intervals counted after the taps
    const char* average;  // the field's text
};
FRETLO_PRINT_AS_NAME(TTapRow)

class TapSeriesTest : public TempoTapTest, public ::testing::WithParamInterface<TTapRow> {};

TEST_P(TapSeriesTest, CountsAndShows) {
    TapAfter(GetParam().gaps);
    EXPECT_EQ(tap.Count(), GetParam().count);
    EXPECT_EQ(tap.AverageText(), GetParam().average);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TapSeriesTest,
    ::testing::Values(
        TTapRow{"a pause of two seconds restarts", {0, 500, 500, 2000}, 0, "-"},
        TTapRow{"just under two seconds is too slow for the band", {0, 500, 500, 1999}, 0, "-"},
        TTapRow{"the tap after a pause starts the series", {0, 500, 500, 2500, 400, 400}, 2, "150.00"},
        TTapRow{"three halves of the average is outside", {0, 500, 500, 750}, 0, "-"},
        TTapRow{"just inside three halves counts", {0, 500, 500, 749}, 3, "102.92"},
        TTapRow{"two thirds of the average is outside", {0, 600, 600, 400}, 0, "-"},
        TTapRow{"a bounce under 100 ms counts once", {0, 500, 99, 401, 500}, 3, "120.00"},
        TTapRow{"a second tap may be of any length", {0, 1500, 1500}, 2, "40.00"}),
    PrintedName());

TEST_F(TempoTapTest, RoundsHalvesToEven) {
    // 960 ms is 62.5 beats per minute, 1600 ms 37.5.
    TapAfter({0, 960, 960});
    EXPECT_EQ(tap.AverageText(), "62.50");
    EXPECT_EQ(tap.Tempo(), 62);
    now += 2000;
    TapAfter({0, 1600, 1600});
    EXPECT_EQ(tap.AverageText(), "37.50");
    EXPECT_EQ(tap.Tempo(), 38);
}

TEST_F(TempoTapTest, AClockThatWrapsAroundKeepsCounting) {
    now = 0xFFFFFF00u;
    TapAfter({0, 500, 500});
    EXPECT_EQ(tap.Tempo(), 120);
}

}  // namespace
}  // namespace fretlo::test
