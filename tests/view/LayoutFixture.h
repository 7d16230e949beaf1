// Songs and fixed font tables for the layout tests.
#pragma once

#include "document/TabDoc.h"
#include "view/layout/TabLayout.h"
#include "view/layout/ViewMetrics.h"

#include <memory>

namespace fretlo::test {

// Normal font: cell 15, letters 7, digits 8, "(" 4, ")" 5. Small font: cell 13, all 6, digits 7.
// So space width 11, wide space width 19, tuning column 29, repeat digit width 7.
inline TTabMetrics FixedMetrics() {
    TFontWidths normal;
    normal.Height = 15;
    normal.Char.fill(7);
    for (char d = '0'; d <= '9'; ++d) normal.Char[uint8_t(d)] = 8;
    normal.Char['('] = 4;
    normal.Char[')'] = 5;
    normal.Char['W'] = 14;
    TFontWidths small;
    small.Height = 13;
    small.Char.fill(6);
    for (char d = '0'; d <= '9'; ++d) small.Char[uint8_t(d)] = 7;
    small.Char['T'] = 16;
    return ComputeMetrics(normal, small);
}

// A document of 128 bars of 16 spaces with `tracks` tracks, laid out with FixedMetrics.
struct TLayoutFixture {
    explicit TLayoutFixture(int tracks = 1) {
        doc.New(16);
        for (int t = 1; t < tracks; ++t)
            doc.AddTrack(std::make_unique<TTrackData>(false, doc.Track(0).SpaceCount()));
        layout.SetMetrics(FixedMetrics());
        doc.AddListener(&layout);
        layout.SetDocument(&doc);
    }
    ~TLayoutFixture() { doc.RemoveListener(&layout); }

    TSpace& Space(int track, int space) { return doc.Track(track).Space(space); }
    const TSpaceLayout& Laid(int track, int space) {
        layout.EnsureLaidOut(doc.BarOfSpace(track, space));
        return layout.Space(track, space);
    }
    void Relayout() {
        layout.InvalidateAll();
        layout.RecomputeTotalWidth();
    }

    TCustomTabDoc doc;
    TTabLayout layout;
};

}  // namespace fretlo::test
