#include "document/TabDoc.h"

#include <algorithm>
#include <limits>

#include "base/Errors.h"

namespace fretlo {

TCustomTabDoc::TCustomTabDoc() = default;
TCustomTabDoc::~TCustomTabDoc() = default;

void TCustomTabDoc::Reset() {
    ClearJournal();
    FreeTracks();
    ClearBars();
    Tempo = DefaultTempo;
    Title.clear();
    Artist.clear();
    Album.clear();
    Transcriber.clear();
    Comments.clear();
    FileName.clear();
    DocumentReset();
}

void TCustomTabDoc::New(int barSpaces) {
    Reset();
    if (barSpaces > 0)
        LayOutBars(false, 0, barSpaces, 128 * barSpaces * UnitsPerSpace);
    else
        LayOutBars(false, 0, 0, 2048 * UnitsPerSpace);
    AddTrack(std::make_unique<TTrackData>(true, SongLength() / UnitsPerSpace));
    Modified = false;
    NotifyDocumentReplaced();
}

void TCustomTabDoc::SetModified() {
    Modified = true;
    ClearJournal();
}

// --- Tracks ---------------------------------------------------------------

int TCustomTabDoc::AddTrack(std::unique_ptr<TTrackData> track) {
    Check(trackCount_ < MaxTracks, "too many tracks");
    Check(track != nullptr, "no track to add");
    tracks_[trackCount_] = std::move(track);
    return trackCount_++;
}

std::unique_ptr<TTrackData> TCustomTabDoc::RemoveTrack(int i) {
    Check(i >= 0 && i < trackCount_, "track index out of range");
    auto gone = std::move(tracks_[i]);
    std::move(tracks_.begin() + i + 1, tracks_.begin() + trackCount_, tracks_.begin() + i);
    --trackCount_;
    return gone;
}

void TCustomTabDoc::MoveTrack(int from, int to) {
    Check(from >= 0 && from < trackCount_ && to >= 0 && to < trackCount_, "track index out of range");
    if (from < to)
        std::rotate(tracks_.begin() + from, tracks_.begin() + from + 1, tracks_.begin() + to + 1);
    else if (to < from)
        std::rotate(tracks_.begin() + to, tracks_.begin() + from, tracks_.begin() + from + 1);
}

void TCustomTabDoc::FreeTracks() {
    for (auto& t : tracks_) t.reset();
    trackCount_ = 0;
}

void TCustomTabDoc::AssignMidiChannels(int channels[MaxTracks]) const {
    bool taken[16] = {};
    for (int t = 0; t < MaxTracks; ++t) channels[t] = -1;
    for (int t = 0; t < trackCount_; ++t) {
        const int fixed = tracks_[t]->MidiChannel;
        if (fixed < 0 || fixed > 15) continue;
        if (taken[fixed]) continue;
        channels[t] = fixed;
        taken[fixed] = true;
    }
    for (int t = 0; t < trackCount_; ++t) {
        const int fixed = tracks_[t]->MidiChannel;
        if (fixed >= 0 && fixed <= 15) continue;
        int channel = 0;
        for (int c = 0; c < 16; ++c) {
            if (c != PercussionChannel && !taken[c]) {
                channel = c;
                taken[c] = true;
                break;
            }
        }
        channels[t] = channel;
    }
}

// --- Time lookups ---------------------------------------------------------

int TCustomTabDoc::SpaceAtTime(int track, int32_t time, int mode) const {
    TTrackData& t = Track(track);
    const int32_t* times = t.SpaceTimes();
    const int n = t.SpaceCount();
    const int32_t* hit = std::lower_bound(times, times + n, time);
    int result = static_cast<int>(hit - times);
    if (!(result < n && *hit == time)) {
        if (mode & satExact) return -1;
        if (mode & satBefore) --result;
        if (!(mode & satNoClamp)) result = std::min(result, n - 1);
    }
    Check(result >= 0, "SpaceAtTime before the first space");
    return result;
}

bool TCustomTabDoc::FindBar(int32_t time, int& index) const {
    const TBar* b = bars_.Data();
    const TBar* hit =
        std::lower_bound(b, b + barCount_, time, [](const TBar& bar, int32_t t) { return bar.Start < t; });
    index = static_cast<int>(hit - b);
    return index < barCount_ && hit->Start == time;
}

int TCustomTabDoc::BarAtTime(int32_t time) const {
    const TBar* b = bars_.Data();
    const TBar* after =
        std::upper_bound(b, b + barCount_, time, [](int32_t t, const TBar& bar) { return t < bar.Start; });
    return std::max(0, static_cast<int>(after - b) - 1);
}

int TCustomTabDoc::BarOfSpace(int track, int space) const { return BarAtTime(Track(track).SpaceTime(space)); }

int32_t TCustomTabDoc::BarEnd(int index) const {
    Check(index >= 0 && index < barCount_, "bar index out of range");
    return index == barCount_ - 1 ? std::numeric_limits<int32_t>::max() : bars_[index].End;
}

int32_t TCustomTabDoc::SongLength() const { return barCount_ ? bars_[barCount_ - 1].End : 0; }

int TCustomTabDoc::BarStartSpace(int track, int space, bool toStaffStart) const {
    int bar = BarOfSpace(track, space);
    if (toStaffStart)
        while (bar > 0 && !bars_[bar].StaffBreak) --bar;
    return SpaceAtTime(track, bars_[bar].Start);
}

int TCustomTabDoc::NextBarSpace(int track, int space, bool toStaffStart) const {
    int bar = BarOfSpace(track, space) + 1;
    if (toStaffStart)
        while (bar < barCount_ && !bars_[bar].StaffBreak) ++bar;
    if (bar >= barCount_) return Track(track).SpaceCount();
    const int s = SpaceAtTime(track, bars_[bar].Start, satNoClamp);
    return std::min(s, Track(track).SpaceCount());
}

int TCustomTabDoc::LastUsedSpace(int track, bool requirePlainRatio) const {
    const TTrackData& t = Track(track);
    for (int i = t.SpaceCount() - 1; i > 0; --i)
        if (!IsEmptySpace(t.Space(i), requirePlainRatio)) return i;
    return 0;
}

int TCustomTabDoc::LastUsedBar(bool requirePlainRatio) const {
    int32_t latest = 0;
    for (int t = 0; t < trackCount_; ++t)
        latest = std::max(latest, Track(t).SpaceTime(LastUsedSpace(t, requirePlainRatio)));
    return BarAtTime(latest);
}

int TCustomTabDoc::RepeatSectionStart(int bar) const {
    while (bar > 0 && !bars_[bar].RepeatStart && !bars_[bar - 1].RepeatEnd) --bar;
    return bar;
}

// --- Listeners ------------------------------------------------------------

void TCustomTabDoc::NotifyBarsChanged(TBarsChange change, int barIndex) {
    for (TDocListener* l : listeners_) l->BarsChanged(change, barIndex);
}

void TCustomTabDoc::NotifyDocumentReplaced() {
    for (TDocListener* l : listeners_) l->DocumentReplaced();
}

}  // namespace fretlo
