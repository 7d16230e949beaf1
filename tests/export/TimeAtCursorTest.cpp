#include <gtest/gtest.h>

#include "ParamName.h"

#include "document/TrackProps.h"
#include "export/SongBuilder.h"
#include "playback/TimeAtCursor.h"

using namespace fretlo;
using namespace fretlo::test;

TEST(TimeAtCursor, PlainSongsAtTheirTempo) {
    auto doc = MakeSong(4);
    EXPECT_EQ(TimeAtCursor(*doc, 0, 0), 0u);
    EXPECT_EQ(TimeAtCursor(*doc, 0, 16), 2000u);  // 16 sixteenths of 125 ms
    doc->Tempo = 100;
    EXPECT_EQ(TimeAtCursor(*doc, 0, 1), 150u);  // 3 840 000 / 100 = 38 400 / 256 ms
}

TEST(TimeAtCursor, TempoChangeOnAnyTrackCountsForEveryTrack) {
    auto doc = MakeSong(3, 16, 2);
    SetProp(doc->Track(1).Space(16), pkTempo, 60);
    EXPECT_EQ(TimeAtCursor(*doc, 0, 16), 2000u);
    EXPECT_EQ(TimeAtCursor(*doc, 0, 32), 6000u);
    EXPECT_EQ(TimeAtCursor(*doc, 1, 32), 6000u);
    EXPECT_EQ(TimeAtCursor(*doc, 0, 17), 2250u);
}

TEST(TimeAtCursor, TempoChangeCarriesTheFractionOfAUnit) {
    // 15000 / 33 ms leaves a fraction of 1/256 ms that, carried over to tempo 55, completes the
    // last one of the full second; dropped, the result would be 999 ms.
    auto doc = MakeSong(1);
    doc->Tempo = 33;
    SetProp(doc->Track(0).Space(1), pkTempo, 55);
    EXPECT_EQ(TimeAtCursor(*doc, 0, 3), 1000u);
}

TEST(TimeAtCursor, TripletSpacesLastTwoThirds) {
    auto doc = MakeSong(1);
    doc->Track(0).SetRatio(0, 3, 2, 3);
    EXPECT_EQ(TimeAtCursor(*doc, 0, 1), 83u);  // 170 units
    EXPECT_EQ(TimeAtCursor(*doc, 0, 3), 250u);
}

struct TRepeatCase {
    int Space;
    uint64_t Millis;
};

void PrintTo(const TRepeatCase& c, std::ostream* os) { *os << "space " << c.Space; }

class TimeAtCursorRepeats : public ::testing::TestWithParam<TRepeatCase> {};

// Bars of 2000 ms: bar 0 repeated once, bars 1-2 repeated twice, then bar 3.
TEST_P(TimeAtCursorRepeats, SectionsCountAsOftenAsTheyPlay) {
    auto doc = MakeSong(4);
    SetRepeat(*doc, 0, 0, 1);
    SetRepeat(*doc, 1, 2, 2);
    EXPECT_EQ(TimeAtCursor(*doc, 0, GetParam().Space), GetParam().Millis);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeAtCursorRepeats,
                         ::testing::Values(TRepeatCase{4, 500},           // first pass only
                                           TRepeatCase{16, 4000},         // after bar 0 twice
                                           TRepeatCase{40, 7000},         // inside bars 1-2
                                           TRepeatCase{48, 4000 + 12000}  // after three passes
                                           ),
                         PrintedName());

TEST(TimeAtCursor, LongSongsShowAllMinuteDigits) {
    auto doc = MakeSong(9);
    doc->Tempo = 30;  // 500 ms a space, 64 s for bars 0-7
    SetRepeat(*doc, 0, 7, 255);
    const uint64_t ms = TimeAtCursor(*doc, 0, 128);
    EXPECT_EQ(ms, 256u * 64000u);
    EXPECT_EQ(FormatTimeAtCursor(ms), "273:04.000");
}

class TimeAtCursorText : public ::testing::TestWithParam<std::pair<uint64_t, const char*>> {};

TEST_P(TimeAtCursorText, MinutesSecondsMillis) {
    EXPECT_EQ(FormatTimeAtCursor(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Times, TimeAtCursorText,
                         ::testing::Values(std::pair{uint64_t(0), "00:00.000"},
                                           std::pair{uint64_t(150), "00:00.150"},
                                           std::pair{uint64_t(61001), "01:01.001"},
                                           std::pair{uint64_t(5999999), "99:59.999"},
                                           std::pair{uint64_t(6000000), "100:00.000"}),
                         PrintedName());

