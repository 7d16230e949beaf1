// TTrackData: one track's settings, its spaces and the cached time of every space.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "document/Space.h"
#include "document/VirtualMemory.h"

namespace fretlo {

// The settings-store key of a kind's (string count, variant) tuning presets: "Tunings/#6-0".
std::string TuningPresetKey(int stringCount, int variant);

class TTrackData {
public:
    // A track with the defaults of a new track; with `useDefaultTuning` the tuning
    // comes from the default preset of the settings store for (StringCount, Variant).
    TTrackData(bool useDefaultTuning, int spaceCount);
    ~TTrackData();
    TTrackData(const TTrackData&) = delete;
    TTrackData& operator=(const TTrackData&) = delete;

    // Settings, with a new track's defaults.
    int StringCount = 6;
    int Instrument = 27;
    int LegacyValue = 28;  // carried unchanged through files
    int Volume = 96;
    int Pan = 64;
    int Reverb = 0;
    int Chorus = 0;
    int Modulation = 0;
    int PitchBend = 0;     // cents, -2400 to 2400
    int MidiChannel = -1;  // 0 to 15, -1 automatic
    int HighestNumber = 24;
    int Transpose = 0;
    int Bank = 0;
    bool LetRing = true;
    bool TopTextLine = false;
    bool BottomTextLine = false;
    bool ShowNumbers = false;
    int8_t Tuning[StringSlots] = {};
    int Variant = 0;  // 1: banjo (5 strings) or drums (6 strings)

    int SpaceCount() const { return spaceCount_; }
    TSpace& Space(int i) { return spaces_[i]; }
    const TSpace& Space(int i) const { return spaces_[i]; }
    TSpace* Spaces() { return spaces_.Data(); }
    const TSpace* Spaces() const { return spaces_.Data(); }

    // Sets the count (1..32000); removed spaces lose their track effects, new ones are empty.
    void SetSpaceCount(int n);
    // Moves spaces first..limit-count-1 up by `count` inside [first, limit); limit -1 = SpaceCount.
    void InsertSpaces(int first, int count, int limit = -1);
    // The mirror of InsertSpaces: removes `count` spaces at `first` inside the window.
    void DeleteSpaces(int first, int count, int limit = -1);
    void SetRatio(int first, int count, int num, int den);

    // Cached times, recomputed first when stale.
    int32_t SpaceTime(int i);
    int32_t SpaceEndTime(int i);
    int32_t TotalTime();
    // The whole cached array, valid after EnsureTimes().
    const int32_t* SpaceTimes();
    void EnsureTimes();
    void InvalidateTimes() { timesValid_.store(0); }
    bool TimesValid() const { return timesValid_.load() != 0; }

    // Key of string slot s before transposition: reference + tuning.
    int StringBaseKey(int s) const;

    // Memory committed for the spaces and times, for measurements.
    size_t CommittedBytes() const { return spaces_.CommittedBytes() + times_.CommittedBytes(); }

private:
    void ReadDefaultTuning();
    void RecomputeTimes();
    void CheckWindow(int first, int count, int& limit) const;

    TVirtualArray<TSpace> spaces_{MaxSpaces};
    TVirtualArray<int32_t> times_{MaxSpaces};
    std::atomic<int> timesValid_{0};
    int32_t totalTime_ = 0;
    int spaceCount_ = 0;
};

}  // namespace fretlo
