#include "DenseSong.h"

namespace fretlo::bench {

std::unique_ptr<TCustomTabDoc> DenseSong(int tracks, int spaces) {
    auto doc = std::make_unique<TCustomTabDoc>();
    doc->New(16);
    doc->ClearBars();
    doc->LayOutBars(false, 0, 16, spaces * UnitsPerSpace);
    doc->Track(0).SetSpaceCount(spaces);
    for (int t = 1; t < tracks; ++t) doc->AddTrack(std::make_unique<TTrackData>(false, spaces));
    for (int t = 0; t < tracks; ++t) {
        TTrackData& track = doc->Track(t);
        for (int s = 0; s < spaces; ++s) {
            TSpace& sp = track.Space(s);
            sp.Notes[(s + t) % 6] = static_cast<uint8_t>(NoteFretBase + (s * 7 + t) % 24);
            sp.Notes[(s + t + 2) % 6] = static_cast<uint8_t>(NoteFretBase + s % 5);
            if (s % 5 == 0) sp.Effects[(s + t) % 6] = "h/(~<"[(s / 5) % 5];
        }
        for (int s = 96 + t * 16; s + 3 < spaces; s += 256) track.SetRatio(s, 3, 2, 3);
    }
    return doc;
}

}  // namespace fretlo::bench
