#include "playback/TrackKinds.h"

#include "base/Errors.h"

namespace fretlo {

namespace {
constexpr TTrackKind Kinds[] = {
    {"4 - Bass", 4, 0, 33, false, AutomaticChannelChoice, 24},
    {"5 - Bass", 5, 0, 33, false, AutomaticChannelChoice, 24},
    {"5 - Banjo", 5, 1, 105, true, AutomaticChannelChoice, 24},
    {"6 - Guitar", 6, 0, 27, true, AutomaticChannelChoice, 24},
    {"6 - Drums", 6, 1, 0, true, DrumsChannelChoice, 99},
    {"7 - Guitar", 7, 0, 27, true, AutomaticChannelChoice, 24},
};

int Find(int stringCount, int variant) {
    for (int i = 0; i < static_cast<int>(std::size(Kinds)); ++i)
        if (Kinds[i].StringCount == stringCount && Kinds[i].Variant == variant) return i;
    return -1;
}
}  // namespace

std::span<const TTrackKind> TrackKinds() { return Kinds; }

int TrackKindIndex(int stringCount, int variant) {
    const int exact = Find(stringCount, variant);
    return exact >= 0 ? exact : Find(stringCount, 0);
}

TKindChange ChangeKind(TSettingsStore& store, int kindIndex) {
    Check(kindIndex >= 0 && kindIndex < static_cast<int>(TrackKinds().size()), "no such track kind");
    const TTrackKind& kind = TrackKinds()[kindIndex];
    auto presets = TTuningPresetStore(store, kind.StringCount, kind.Variant).Load();
    const int preset = InitialPreset(presets);
    return {kind, std::move(presets), preset};
}

}  // namespace fretlo
