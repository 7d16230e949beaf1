// Metrics from width tables and the vertical layout of track bands.
#include "LayoutFixture.h"
#include "view/layout/TrackBands.h"

#include <gtest/gtest.h>

using namespace fretlo;
using fretlo::test::FixedMetrics;
using fretlo::test::TLayoutFixture;

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
    const TTabMetrics m = ComputeMetrics(normal, normal);
    EXPECT_EQ(m.TuningColumnWidth, 30 + 4 + 5);
}

TEST(TrackBands, EffectLineStaysBelowTheStrings) {
    TLayoutFixture f(2);
    f.doc.Track(1).StringCount = 4;
    f.layout.LayOutVertically();
    const TTabMetrics& m = f.layout.Metrics();
    const TTrackBand& a = f.layout.Band(0);
    EXPECT_EQ(a.BandTop, m.TrackMargin);
    EXPECT_EQ(a.TopTextY, a.BandTop);
    EXPECT_EQ(a.StringTop, a.BandTop);  // the margin already holds a repeat count
    EXPECT_EQ(a.StringBottom, a.StringTop + 6 * m.LineHeight);
    EXPECT_EQ(a.EffectLineY, a.StringBottom);
    EXPECT_EQ(a.BottomTextY, a.StringBottom + m.EffectLineHeight);
    EXPECT_EQ(a.BandBottom, a.BottomTextY);
    EXPECT_EQ(a.BandHeight, a.BandBottom - a.BandTop);
    const TTrackBand& b = f.layout.Band(1);
    EXPECT_EQ(b.BandTop, a.BandBottom + 2 * m.TrackMargin);
    EXPECT_EQ(b.StringBottom - b.StringTop, 4 * m.LineHeight);
    EXPECT_EQ(f.layout.Height(), b.BandBottom + m.TrackMargin);
}

TEST(TrackBands, TextLinesTakeALineEach) {
    TLayoutFixture f;
    TTrackData& track = f.doc.Track(0);
    track.TopTextLine = true;
    track.BottomTextLine = true;
    f.layout.LayOutVertically();
    const TTabMetrics& m = f.layout.Metrics();
    const TTrackBand& b = f.layout.Band(0);
    EXPECT_EQ(b.StringTop, b.BandTop + m.LineHeight);
    EXPECT_EQ(b.BottomTextY, b.StringBottom + m.EffectLineHeight);
    EXPECT_EQ(b.BandBottom, b.BottomTextY + m.LineHeight);
}

TEST(TrackBands, RoomForARepeatCountWhenTheSmallFontIsTall) {
    TFontWidths normal;
    normal.Height = 10;
    normal.Char.fill(6);
    TFontWidths small = normal;
    small.Height = 20;
    TLayoutFixture f;
    f.layout.SetMetrics(ComputeMetrics(normal, small));
    const TTrackBand& b = f.layout.Band(0);
    // The top string line lies small font height + 2 below the start of the margin.
    EXPECT_EQ(StringLineY(b, f.layout.Metrics(), 5), 20 + 2);
}

TEST(TrackBands, HiddenTracksTakeNoRoom) {
    TLayoutFixture f(3);
    TTrackFilter shown = AllTracksShown;
    shown[1] = false;
    f.layout.SetTrackFilter(shown);
    EXPECT_EQ(f.layout.Band(1).BandHeight, 0);
    EXPECT_EQ(f.layout.Band(2).BandTop, f.layout.Band(0).BandBottom + 2 * f.layout.Metrics().TrackMargin);
    EXPECT_EQ(f.layout.FirstShownTrack(), 0);
    EXPECT_EQ(f.layout.LastShownTrack(), 2);
}
