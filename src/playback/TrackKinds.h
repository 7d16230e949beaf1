// The six instrument kinds a track can be, with the settings a track takes when the user
// picks one.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "playback/TuningPresetStore.h"

namespace fretlo {

// Channel choices of a track: 0 automatic, c + 1 the fixed channel c.
inline constexpr int AutomaticChannelChoice = 0;
inline constexpr int DrumsChannelChoice = 10;  // "10 (Drums)"
// The track's MIDI channel for a choice: -1 automatic, else 0..15.
inline constexpr int ChannelOfChoice(int choice) { return choice - 1; }

struct TTrackKind {
    std::string_view Caption;  // "6 - Guitar"
    int StringCount;
    int Variant;
    int Instrument;  // program 0..127
    bool LetRing;
    int ChannelChoice;
    int HighestNumber;
};

// In the order they are offered.
std::span<const TTrackKind> TrackKinds();
// The kind of a track's (string count, variant); a variant no kind has counts as 0.
int TrackKindIndex(int stringCount, int variant);

// What picking a kind sets: the kind's defaults, its presets (written first on a fresh
// profile) and the preset selected from them, -1 for none.
struct TKindChange {
    TTrackKind Kind;
    std::vector<TPresetTuning> Presets;
    int Preset;
};
TKindChange ChangeKind(TSettingsStore& store, int kindIndex);

}  // namespace fretlo
