#include "view/layout/TrackBands.h"

#include "document/TabDoc.h"

namespace fretlo {

namespace {

TTrackBand LayOutBand(const TTrackData& track, const TTabMetrics& m, int y) {
    TTrackBand b{};
    b.BandTop = y + m.TrackMargin;
    b.TopTextY = b.BandTop;
    int strings = b.BandTop;
    if (track.TopTextLine) strings += m.LineHeight;
    // Keep room above the top string for a repeat count in the Small font.
    const int need = b.BandTop - (m.LineHeight / 2 + strings - m.SmallFontHeight) - m.TrackMargin + 2;
    if (need > 0) strings += need;
    b.StringTop = strings;
    b.StringBottom = strings + track.StringCount * m.LineHeight;
    b.EffectLineY = b.StringBottom;
    b.BottomTextY = b.StringBottom + m.EffectLineHeight;
    b.BandBottom = b.BottomTextY + (track.BottomTextLine ? m.LineHeight : 0);
    b.BandHeight = b.BandBottom - b.BandTop;
    return b;
}

}  // namespace

int LayOutTrackBands(const TCustomTabDoc& doc, const TTabMetrics& metrics, const TTrackFilter& shown,
                     std::array<TTrackBand, MaxTracks>& bands) {
    int y = 0;
    for (int t = 0; t < MaxTracks; ++t) {
        if (t >= doc.TrackCount() || !shown[t]) {
            bands[t] = TTrackBand{};
            continue;
        }
        bands[t] = LayOutBand(doc.Track(t), metrics, y);
        y = bands[t].BandBottom + metrics.TrackMargin;
    }
    return y;
}

}  // namespace fretlo
