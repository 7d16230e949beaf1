// Metrics from width tables, the vertical layout of track bands, and the horizontal layout
// of one bar: columns, room for numbers and effects, bar lines.
#include "LayoutFixture.h"
#include "ParamName.h"
#include "document/TrackProps.h"
#include "view/layout/TrackBands.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

using namespace fretlo;
using fretlo::test::FixedMetrics;
using fretlo::test::TLayoutFixture;

namespace {

TEST(Metrics, DerivedFromWidthTables) {
    const TTabMetrics m = FixedMetrics();
    EXPECT_EQ(m.LineHeight, 15);
    EXPECT_EQ(m.SmallFontHeight, 13);
    EXPECT_EQ(m.EffectLineHeight, 15);
    EXPECT_EQ(m.TrackMargin, 8);
    EXPECT_EQ(m.SpaceWidth, 11);         // widest digit 8 + 3
    EXPECT_EQ(m.WideSpaceWidth, 19);     // "10".."99" 16 + 3
    EXPECT_EQ(m.TuningColumnWidth, 29);  // "127" 24 + 5 beats "Ab" 15 + 5
    EXPECT_EQ(m.RepeatDigitWidth, 7);
}

TEST(Metrics, TuningColumnFitsAWideFlatName) {
    TFontWidths normal;
    normal.Height = 15;
    normal.Char.fill(4);
    normal.Char['G'] = 30;  // "Gb" wider than any number
    EXPECT_EQ(ComputeMetrics(normal, normal).TuningColumnWidth, 30 + 4 + 5);
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
    EXPECT_EQ(a.StringBottom, a.StringTop + 6 * m.LineHeight);
    EXPECT_EQ(a.EffectLineY, a.StringBottom);
    EXPECT_EQ(a.BandBottom, a.StringBottom + m.EffectLineHeight);
    const TTrackBand& b = f.layout.Band(1);
    EXPECT_EQ(b.BandTop, a.BandBottom + 2 * m.TrackMargin);
    EXPECT_EQ(b.TopTextY, b.BandTop);
    EXPECT_EQ(b.StringTop, b.BandTop + m.LineHeight);
    EXPECT_EQ(b.StringBottom, b.StringTop + 4 * m.LineHeight);
    EXPECT_EQ(b.BottomTextY, b.StringBottom + m.EffectLineHeight);
    EXPECT_EQ(b.BandBottom, b.BottomTextY + m.LineHeight);
    EXPECT_EQ(b.BandHeight, b.BandBottom - b.BandTop);
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
    EXPECT_EQ(s.ContentWidth, Sw);
    EXPECT_EQ(s.Width, s.PreWidth + Sw + GetParam().Post);
    EXPECT_EQ(s.X, X0 + 4 * Sw);
    EXPECT_EQ(f.Laid(0, 5).X, s.X + s.Width);
}

INSTANTIATE_TEST_SUITE_P(Characters, EffectRoom,
                         testing::Values(TEffectRoomCase{'/', 7, 0}, TEffectRoomCase{'^', 0, 7},
                                         TEffectRoomCase{'~', 0, 7}, TEffectRoomCase{'(', 4, 5},
                                         TEffectRoomCase{'<', 7, 7}, TEffectRoomCase{'{', 7, 7}),
                         fretlo::test::NumberedName());

}  // namespace
