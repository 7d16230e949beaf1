#include <gtest/gtest.h>

#include "ParamName.h"
#include "document/TrackProps.h"
#include "export/SongBuilder.h"
#include "playback/TimeAtCursor.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

struct TTimeCase {
    const char* Name;
    void (*Change)(TCustomTabDoc&);  // of four bars of 16 sixteenths at 120, 2000 ms each
    int Track, Space;
    uint64_t Millis;
};
[[maybe_unused]] void PrintTo(const TTimeCase& row, std::ostream* os) { *os << row.Name; }

class TimeAtCursorCase : public ::testing::TestWithParam<TTimeCase> {};

void Plain(TCustomTabDoc&) {}
void Tempo100(TCustomTabDoc& doc) { doc.Tempo = 100; }
void SlowerOnTrack2(TCustomTabDoc& doc) { SetProp(doc.Track(1).Space(16), pkTempo, 60); }
// 15000 / 33 ms leaves a fraction of 1/256 ms that, carried over to tempo 55, completes the
// last one of the full second; dropped, the result would be 999 ms.
void FractionCarried(TCustomTabDoc& doc) {
    doc.Tempo = 33;
    SetProp(doc.Track(0).Space(1), pkTempo, 55);
}
void Triplets(TCustomTabDoc& doc) { doc.Track(0).SetRatio(0, 3, 2, 3); }
// Bar 0 repeated once, bars 1-2 repeated twice, then bar 3.
void Repeats(TCustomTabDoc& doc) {
    SetRepeat(doc, 0, 0, 1);
    SetRepeat(doc, 1, 2, 2);
}
void Endless(TCustomTabDoc& doc) {
    doc.Tempo = 30;  // 500 ms a space, 24 s for bars 0-2
    SetRepeat(doc, 0, 2, 255);
}

}  // namespace

TEST_P(TimeAtCursorCase, CountsWhatPlaysBeforeTheCursor) {
    auto doc = MakeSong(4, 16, 2);
    GetParam().Change(*doc);
    EXPECT_EQ(TimeAtCursor(*doc, GetParam().Track, GetParam().Space), GetParam().Millis);
}

INSTANTIATE_TEST_SUITE_P(
    Songs, TimeAtCursorCase,
    ::testing::Values(TTimeCase{"Start", Plain, 0, 0, 0}, TTimeCase{"OneBar", Plain, 0, 16, 2000},
                      TTimeCase{"Tempo100", Tempo100, 0, 1, 150},  // 3 840 000 / 100 = 38 400 / 256 ms
                      TTimeCase{"BeforeATempoChange", SlowerOnTrack2, 0, 16, 2000},
                      TTimeCase{"TempoChangeOfAnotherTrack", SlowerOnTrack2, 0, 32, 6000},
                      TTimeCase{"FractionCarriedOverATempoChange", FractionCarried, 0, 3, 1000},
                      TTimeCase{"OneTripletSpace", Triplets, 0, 1, 83},  // 170 units
                      TTimeCase{"AfterARepeatOfOne", Repeats, 0, 16, 4000},
                      TTimeCase{"InsideARepeatOfTwo", Repeats, 0, 40, 7000},
                      TTimeCase{"AfterThreePasses", Repeats, 0, 48, 4000 + 12000},
                      TTimeCase{"AfterTheMostPasses", Endless, 0, 48, 256u * 24000u}),
    PrintedName());

class TimeAtCursorText : public ::testing::TestWithParam<std::pair<uint64_t, const char*>> {};

TEST_P(TimeAtCursorText, MinutesSecondsMillis) {
    EXPECT_EQ(FormatTimeAtCursor(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Times, TimeAtCursorText,
                         ::testing::Values(std::pair{uint64_t(0), "00:00.000"},
                                           std::pair{uint64_t(61001), "01:01.001"},
                                           std::pair{uint64_t(5999999), "99:59.999"},
                                           std::pair{uint64_t(6000000), "100:00.000"},
                                           std::pair{uint64_t(256u * 64000u), "273:04.000"}),
                         PrintedName());
