// The horizontal layout of one bar: columns, room for numbers and effects, bar lines.
#include "LayoutFixture.h"
#include "ParamName.h"
#include "document/TrackProps.h"

#include <gtest/gtest.h>

using namespace fretlo;
using fretlo::test::TLayoutFixture;

namespace {

constexpr int Sw = 11;    // space width of the fixed tables
constexpr int Wide = 19;  // wide space width
constexpr int X0 = 2;     // first space of a bar without repeat-open sign
// Width of a plain bar of 16 spaces with a single bar line.
constexpr int PlainBar = X0 + 16 * Sw + 2 + 1;

}  // namespace

TEST(BarLayout, PlainSpacesStandOneSpaceWidthApart) {
    TLayoutFixture f;
    for (int s = 0; s < 16; ++s) {
        EXPECT_EQ(f.Laid(0, s).X, X0 + s * Sw);
        EXPECT_EQ(f.Laid(0, s).Width, Sw);
    }
    EXPECT_EQ(f.layout.Bar(0).Width, PlainBar);
    EXPECT_EQ(f.layout.BarX(1), f.layout.Metrics().TuningColumnWidth + PlainBar);
}

TEST(BarLayout, TwoDigitFretGetsTheWideSpaceWidth) {
    TLayoutFixture f;
    f.Space(0, 1).Notes[2] = NoteFretBase + 12;
    f.Space(0, 3).Notes[0] = NoteFretBase + 9;
    EXPECT_EQ(f.Laid(0, 1).ContentWidth, Wide);
    EXPECT_EQ(f.Laid(0, 1).X, X0 + Sw);
    EXPECT_EQ(f.Laid(0, 2).X, X0 + Sw + Wide);
    EXPECT_EQ(f.Laid(0, 3).ContentWidth, Sw);
    EXPECT_EQ(f.layout.Bar(0).Width, PlainBar + Wide - Sw);
}

TEST(BarLayout, OpeningBracketGetsRoomBeforeAndAfter) {
    TLayoutFixture f;
    f.Space(0, 1).Effects[4] = '(';
    const TSpaceLayout& s = f.Laid(0, 1);
    EXPECT_EQ(s.PreWidth, 4);
    EXPECT_EQ(s.ContentWidth, Sw);
    EXPECT_EQ(s.Width, 4 + Sw + 5);
    EXPECT_EQ(s.X, X0 + Sw);
    EXPECT_EQ(f.Laid(0, 2).X, s.X + s.Width);
}

struct TEffectRoomCase {
    uint8_t Effect;
    int Pre;
    int Post;
};

void PrintTo(const TEffectRoomCase& c, std::ostream* os) { *os << "effect '" << c.Effect << "'"; }

class EffectRoom : public testing::TestWithParam<TEffectRoomCase> {};

TEST_P(EffectRoom, PreAndPostWidths) {
    TLayoutFixture f;
    f.Space(0, 4).Effects[0] = GetParam().Effect;
    f.Space(0, 4).Effects[1] = 'h';  // the larger pre of the strings counts
    const TSpaceLayout& s = f.Laid(0, 4);
    EXPECT_EQ(s.PreWidth, std::max(GetParam().Pre, 7));
    EXPECT_EQ(s.Width, s.PreWidth + Sw + GetParam().Post);
}

INSTANTIATE_TEST_SUITE_P(Characters, EffectRoom,
                         testing::Values(TEffectRoomCase{'/', 7, 0}, TEffectRoomCase{'^', 0, 7},
                                         TEffectRoomCase{'~', 0, 7}, TEffectRoomCase{'(', 4, 5},
                                         TEffectRoomCase{'<', 7, 7}, TEffectRoomCase{'{', 7, 7}),
                         fretlo::test::NumberedName());

TEST(BarLayout, TrackEffectLetterAndTextWidenTheContent) {
    TLayoutFixture f;
    f.doc.Track(0).TopTextLine = true;
    SetProp(f.Space(0, 2), pkTempo, 100);  // "T" is 16 wide in the Small font
    f.Space(0, 5).TopText = 'W';           // 14 wide in the Normal font
    EXPECT_EQ(f.Laid(0, 2).ContentWidth, 16);
    EXPECT_EQ(f.Laid(0, 5).ContentWidth, 14);
    EXPECT_EQ(f.Laid(0, 3).X, f.Laid(0, 2).X + 16);
    EXPECT_EQ(f.Laid(0, 6).X, f.Laid(0, 5).X + 14);
    ClearProps(f.Space(0, 2));
}

TEST(BarLayout, TripletRegionFollowsTheDensestRatio) {
    TLayoutFixture f(2);
    f.doc.Track(0).SetRatio(0, 3, 2, 3);  // three spaces in two sixteenths
    // Inside the cell the triplets are one space width apart, the plain spaces 1.5.
    EXPECT_EQ(f.Laid(0, 1).X - f.Laid(0, 0).X, Sw);
    EXPECT_EQ(f.Laid(0, 2).X - f.Laid(0, 1).X, Sw);
    EXPECT_EQ(f.Laid(1, 1).X - f.Laid(1, 0).X, Sw * 3 / 2);
    // The columns at the cell's ends line up.
    EXPECT_EQ(f.Laid(0, 0).X, f.Laid(1, 0).X);
    EXPECT_EQ(f.Laid(0, 3).X, f.Laid(1, 2).X);
    EXPECT_EQ(f.Laid(0, 3).X, X0 + 3 * Sw);
    // After the region the spacing is plain again.
    EXPECT_EQ(f.Laid(0, 4).X - f.Laid(0, 3).X, Sw);
    EXPECT_EQ(f.Laid(1, 3).X - f.Laid(1, 2).X, Sw);
}

TEST(BarLayout, WideColumnPushesLaterColumnsOfAllTracks) {
    TLayoutFixture f(3);
    f.Space(1, 2).Notes[0] = NoteFretBase + 15;
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(f.Laid(t, 1).X, X0 + Sw) << t;
        for (int s = 3; s < 16; ++s) EXPECT_EQ(f.Laid(t, s).X, X0 + s * Sw + Wide - Sw) << t << " " << s;
    }
    // The column of the wide number stays one column: the numbers share their centre.
    EXPECT_EQ(f.Centre(0, 2), f.Centre(1, 2));
    EXPECT_EQ(f.Centre(2, 2), f.Centre(1, 2));
    EXPECT_EQ(f.layout.Bar(0).Width, PlainBar + Wide - Sw);
}

TEST(BarLayout, ShortTrackWidensItsBarByTheMissingTime) {
    TLayoutFixture f;
    f.doc.Track(0).SetSpaceCount(40);  // ends half-way through bar 2
    f.Relayout();
    EXPECT_EQ(f.layout.Bar(2).Width, PlainBar);
    EXPECT_EQ(f.layout.Bar(3).Width, PlainBar);  // no space at all: the whole bar's time
}

TEST(BarLayout, OnlyTheLongestTrackCounts) {
    TLayoutFixture f(2);
    f.doc.Track(0).SetSpaceCount(36);
    f.doc.Track(1).SetSpaceCount(40);
    f.Relayout();
    EXPECT_EQ(f.layout.Bar(2).Width, PlainBar);
    EXPECT_EQ(f.Laid(1, 39).X, X0 + 7 * Sw);
}

TEST(BarLayout, StaffBreakAddsBreakExtraToThePreviousBar) {
    TLayoutFixture f;
    f.doc.Bar(5).StaffBreak = 1;
    f.Relayout();
    EXPECT_EQ(f.layout.Bar(4).BreakExtra, 3);
    EXPECT_EQ(f.layout.Bar(4).Width, PlainBar + 3);
    EXPECT_EQ(f.layout.Bar(5).BreakExtra, 0);
}

TEST(BarLayout, RepeatOpenLeavesRoomForItsSign) {
    TLayoutFixture f;
    f.doc.Bar(1).RepeatStart = 1;
    f.Relayout();
    EXPECT_EQ(f.Laid(0, 16).X, 12);
    EXPECT_EQ(f.layout.Bar(1).Width, PlainBar + 10);
}

TEST(BarLayout, LastBarEndsWithAFinalDoubleBar) {
    TLayoutFixture f;
    const TBarLayout& last = f.layout.EnsureLaidOut(f.doc.BarCount() - 1);
    EXPECT_EQ(last.BarLineWidth, 6);
    EXPECT_EQ(last.Width, PlainBar - 1 + 6);
}

class RepeatCloseWidth : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(RepeatCloseWidth, DigitsOfTheCountAtLeastEleven) {
    TLayoutFixture f;
    f.doc.Bar(3).RepeatEnd = 1;
    f.doc.Bar(3).RepeatCount = GetParam().first;
    f.Relayout();
    EXPECT_EQ(f.layout.Bar(3).BarLineWidth, GetParam().second);
    EXPECT_EQ(f.layout.Bar(3).Width, PlainBar - 1 + GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Counts, RepeatCloseWidth,
                         testing::Values(std::pair{1, 11}, std::pair{9, 11}, std::pair{10, 14},
                                         std::pair{99, 14}, std::pair{100, 21}, std::pair{255, 21}),
                         [](const auto& info) { return "Count" + std::to_string(info.param.first); });

TEST(BarLayout, BarCuttingATripletPlacesItsRestByTheGroup) {
    TLayoutFixture f(2);
    f.doc.Track(0).SetRatio(15, 3, 2, 3);  // 3840, 4010, 4181: the bar line at 4096 cuts it
    f.Relayout();
    // Bar 1 begins inside the group: its remaining third of the cell is spaced by the triplet.
    EXPECT_EQ(f.doc.BarOfSpace(0, 17), 1);
    EXPECT_EQ(f.Laid(1, 16).X, X0);
    EXPECT_EQ(f.Laid(0, 17).X, X0 + Sw / 2);
    EXPECT_EQ(f.Laid(0, 18).X, f.Laid(1, 17).X);
    EXPECT_EQ(f.Laid(1, 17).X, X0 + Sw * 3 / 2);
}

TEST(BarLayout, HiddenTracksDoNotWidenTheBar) {
    TLayoutFixture f(2);
    f.Space(1, 4).Notes[0] = NoteFretBase + 20;
    f.Space(1, 6).Effects[0] = '(';
    TTrackFilter shown = AllTracksShown;
    shown[1] = false;
    f.layout.SetTrackFilter(shown);
    EXPECT_EQ(f.layout.EnsureLaidOut(0).Width, PlainBar);
    f.layout.SetTrackFilter(AllTracksShown);
    EXPECT_EQ(f.layout.EnsureLaidOut(0).Width, PlainBar + (Wide - Sw) + 4 + 5);
}
