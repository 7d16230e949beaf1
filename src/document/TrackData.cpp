#include "document/TrackData.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/Errors.h"
#include "document/Limits.h"
#include "document/SpaceTiming.h"
#include "document/TrackProps.h"
#include "platform/PlaybackLock.h"
#include "platform/SettingsStore.h"

namespace fretlo {

std::string TuningPresetKey(int stringCount, int variant) {
    return "Tunings/#" + std::to_string(stringCount) + "-" + std::to_string(variant);
}

TTrackData::TTrackData(bool useDefaultTuning, int spaceCount) {
    if (useDefaultTuning) ReadDefaultTuning();
    SetSpaceCount(spaceCount);
}

TTrackData::~TTrackData() {
    for (int i = 0; i < spaceCount_; ++i) ClearProps(spaces_[i]);
}

void TTrackData::ReadDefaultTuning() {
    TSettingsStore* store = CurrentSettingsStore();
    if (!store) return;
    const std::string key = TuningPresetKey(StringCount, Variant);
    const auto presetName = store->ReadString(key, "");
    if (!presetName) return;
    const auto keys = store->ReadBinary(key, *presetName);
    if (!keys || static_cast<int>(keys->size()) != StringCount) return;
    for (int s = 0; s < StringSlots; ++s)
        Tuning[s] = s < StringCount ? static_cast<int8_t>((*keys)[s] - ReferenceNote[s]) : 0;
}

void TTrackData::SetSpaceCount(int n) {
    Check(n >= 1 && n <= MaxSpaces, "space count out of range");
    for (int i = n; i < spaceCount_; ++i) ClearProps(spaces_[i]);
    const int old = spaceCount_;
    spaces_.SetCount(n);
    times_.SetCount(n);
    for (int i = old; i < n; ++i) {
        spaces_[i] = EmptySpace;
        times_[i] = 0;
    }
    spaceCount_ = n;
    InvalidateTimes();
}

void TTrackData::CheckWindow(int first, int count, int& limit) const {
    Check(limit >= -1 && limit <= spaceCount_, "space window limit out of range");
    if (limit == -1) limit = spaceCount_;
    Check(count >= 0 && first >= 0 && first + count <= limit, "space window out of range");
}

void TTrackData::InsertSpaces(int first, int count, int limit) {
    CheckWindow(first, count, limit);
    if (count == 0) return;
    TSpace* s = spaces_.Data();
    for (int i = limit - count; i < limit; ++i) ClearProps(s[i]);
    std::memmove(static_cast<void*>(s + first + count), s + first,
                 sizeof(TSpace) * static_cast<size_t>(limit - first - count));
    std::fill(s + first, s + first + count, EmptySpace);
    InvalidateTimes();
}

void TTrackData::DeleteSpaces(int first, int count, int limit) {
    CheckWindow(first, count, limit);
    if (count == 0) return;
    TSpace* s = spaces_.Data();
    for (int i = first; i < first + count; ++i) ClearProps(s[i]);
    std::memmove(static_cast<void*>(s + first), s + first + count,
                 sizeof(TSpace) * static_cast<size_t>(limit - first - count));
    std::fill(s + limit - count, s + limit, EmptySpace);
    InvalidateTimes();
}

void TTrackData::SetRatio(int first, int count, int num, int den) {
    Check(IsValidRatio(num, den), "invalid time ratio");
    Check(first >= 0 && count >= 0 && first + count <= spaceCount_, "ratio run out of range");
    for (int i = first; i < first + count; ++i) {
        spaces_[i].RatioNum = static_cast<uint8_t>(num);
        spaces_[i].RatioDen = static_cast<uint8_t>(den);
    }
    InvalidateTimes();
}

void TTrackData::EnsureTimes() {
    if (timesValid_.load(std::memory_order_acquire)) return;
    TPlaybackGuard guard(PlaybackLock());
    if (timesValid_.load(std::memory_order_acquire)) return;
    RecomputeTimes();
    timesValid_.exchange(-1, std::memory_order_acq_rel);
}

void TTrackData::RecomputeTimes() {
    totalTime_ = ComputeSpaceStarts(spaces_.Data(), spaceCount_, UnitsPerSpace, times_.Data());
}

int32_t TTrackData::SpaceTime(int i) {
    EnsureTimes();
    Check(i >= 0 && i < spaceCount_, "space index out of range");
    return times_[i];
}

int32_t TTrackData::SpaceEndTime(int i) {
    EnsureTimes();
    Check(i >= 0 && i < spaceCount_, "space index out of range");
    return i + 1 < spaceCount_ ? times_[i + 1] : totalTime_;
}

int32_t TTrackData::TotalTime() {
    EnsureTimes();
    return totalTime_;
}

const int32_t* TTrackData::SpaceTimes() {
    EnsureTimes();
    return times_.Data();
}

int TTrackData::StringBaseKey(int s) const { return ReferenceNote[s] + Tuning[s]; }

}  // namespace fretlo
