#include "document/SongVersion.h"

#include "document/BarCodes.h"
#include "document/TabDoc.h"

#include <algorithm>

namespace fretlo {

namespace {

bool HasRatio(const TTrackData& track) {
    for (int i = 0; i < track.SpaceCount(); ++i) {
        const TSpace& s = track.Space(i);
        if (!HasPlainRatio(s)) return true;
    }
    return false;
}

// Track effects that the single-letter form of versions 111 and 112 cannot hold.
bool NeedsEffectBlocks(const TTrackData& track) {
    if (track.Modulation != 0 || track.PitchBend != 0) return true;
    for (int i = 0; i < track.SpaceCount(); ++i)
        if (!EncodeLegacyProp(track.Space(i))) return true;
    return false;
}

}  // namespace

TSongVersionChoice ChooseSongVersion(const TCustomTabDoc& doc) {
    TSongVersionChoice choice;
    const int spaceCount = doc.Track(0).SpaceCount();
    for (int t = 0; t < doc.TrackCount(); ++t) {
        const TTrackData& track = doc.Track(t);
        if (track.SpaceCount() != spaceCount) choice.Version = std::max(choice.Version, 112);
        if (HasRatio(track)) {
            choice.HasRatios = true;
            choice.Version = std::max(choice.Version, 112);
        }
        if (NeedsEffectBlocks(track)) choice.Version = 114;
    }
    if (choice.Version == 111 && !EncodeBarCodes(doc, spaceCount)) choice.Version = 112;
    return choice;
}

}  // namespace fretlo
