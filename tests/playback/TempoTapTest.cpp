// The tempo measured from taps, on a clock the test moves by hand.
#include <gtest/gtest.h>

#include "ParamName.h"

#include <vector>

#include "playback/TempoTap.h"

namespace fretlo::test {
namespace {

struct TTapRow {
    const char* name;
    std::vector<uint32_t> gaps;  // milliseconds before each tap, the first tap after the first gap
    int count;                   // intervals counted after the taps
    const char* average;         // the field's text
    int tempo;                   // what OK gives, 0 for nothing
};
FRETLO_PRINT_AS_NAME(TTapRow)

class TempoTapTest : public ::testing::TestWithParam<TTapRow> {
protected:
    uint32_t now = 0xFFFFF000u;  // the clock wraps around during the taps
    TTempoTap tap{[this] { return now; }};

    void TapAfter(const std::vector<uint32_t>& gaps) {
        for (const uint32_t gap : gaps) {
            now += gap;
            tap.Tap();
        }
    }
};

TEST_P(TempoTapTest, CountsAndShows) {
    TapAfter(GetParam().gaps);
    EXPECT_EQ(tap.Count(), GetParam().count);
    EXPECT_EQ(tap.AverageText(), GetParam().average);
    EXPECT_EQ(tap.Tempo().value_or(0), GetParam().tempo);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TempoTapTest,
    ::testing::Values(
        // Two, three and a pause of three seconds are typed in the tap dialog's test.
        TTapRow{"a pause of two seconds restarts even inside the band", {0, 1500, 1500, 2000, 400, 400}, 2,
                "150.00", 150},
        TTapRow{"three halves of the average is outside", {0, 500, 500, 750}, 0, "-", 0},
        TTapRow{"just inside three halves counts", {0, 500, 500, 749}, 3, "102.92", 103},
        TTapRow{"two thirds of the average is outside", {0, 600, 600, 400}, 0, "-", 0},
        TTapRow{"a bounce under 100 ms counts once", {0, 500, 99, 401, 500}, 3, "120.00", 120},
        TTapRow{"62.5 rounds to the even 62", {0, 960, 960}, 2, "62.50", 62},
        TTapRow{"37.5 rounds to the even 38", {0, 1600, 1600}, 2, "37.50", 38}),
    PrintedName());

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

}  // namespace
}  // namespace fretlo::test
