#include "view/layout/BarLayout.h"

#include "document/TabDoc.h"
#include "document/TrackProps.h"

#include <algorithm>
#include <limits>

namespace fretlo {

namespace {

constexpr int32_t OpenEnd = std::numeric_limits<int32_t>::max();

// Where one track stands while its spaces of the bar are placed.
struct TTrackCursor {
    const TSpace* Spaces = nullptr;
    const int32_t* Times = nullptr;
    int Count = 0;
    int Strings = 0;
    int32_t End = 0;  // the track's end time
    TSpaceLayout* Out = nullptr;
    int Next = 0;      // the next space to place
    int NextFree = 0;  // the leftmost x the next space may take
    // Group accumulators of an alternate-time region, set again at every grid point.
    int Acc = 0;
    int GroupDen = 1;
    int Units = 0;

    bool HasNext() const { return Next < Count; }
    int32_t NextTime() const { return Times[Next]; }
};

// Room an effect character needs before and after the number.
struct TEffectRoom {
    int Pre = 0;
    int Post = 0;
};

TEffectRoom EffectRoom(uint8_t c, const TFontWidths& font) {
    switch (c) {
    case '^':
    case '~': return {0, font.Width(c)};
    case '(': return {font.Width('('), font.Width(')')};
    case '<': return {font.Width('<'), font.Width('>')};
    case '{': return {font.Width('{'), font.Width('}')};
    default: return {font.Width(c), 0};
    }
}

class TBarLayouter {
public:
    TBarLayouter(TCustomTabDoc& doc, int bar, const TTabMetrics& m, const TTrackFilter& shown,
                 const std::array<TSpaceLayout*, MaxTracks>& spaces);
    TBarLayout Run();

private:
    void StartGridCell(int32_t t);
    void PlaceColumn(int32_t t);
    void PlaceSpace(int track, const int* placedBefore, int placedCount);
    void AddGapOfShortTracks();
    TBarLayout Finish() const;
    bool Denser(const TSpace& s) const { return s.RatioNum * densestDen_ < densestNum_ * s.RatioDen; }

    TCustomTabDoc& doc_;
    const int bar_;
    const TTabMetrics& m_;
    const int32_t start_;
    const int32_t end_;
    std::array<TTrackCursor, MaxTracks> tracks_;
    int trackCount_ = 0;  // cursors in use, shown tracks only
    int x0_ = 2;
    int contentRight_ = 2;
    int shift_ = 0;
    int32_t gridStart_ = -1;
    int32_t nextGrid_ = -1;
    int densestNum_ = 1;
    int densestDen_ = 1;
};

TBarLayouter::TBarLayouter(TCustomTabDoc& doc, int bar, const TTabMetrics& m, const TTrackFilter& shown,
                           const std::array<TSpaceLayout*, MaxTracks>& spaces)
    : doc_(doc), bar_(bar), m_(m), start_(doc.Bar(bar).Start), end_(doc.BarEnd(bar)) {
    if (doc.Bar(bar).RepeatStart) x0_ = 12;  // room for the repeat-open sign
    contentRight_ = x0_;
    for (int t = 0; t < doc.TrackCount(); ++t) {
        if (!shown[t]) continue;
        TTrackData& track = doc.Track(t);
        TTrackCursor& c = tracks_[trackCount_++];
        c.Spaces = track.Spaces();
        c.Times = track.SpaceTimes();
        c.Count = track.SpaceCount();
        c.Strings = std::min(track.StringCount, StringSlots);
        c.End = track.TotalTime();
        c.Out = spaces[t];
        c.Next = static_cast<int>(std::lower_bound(c.Times, c.Times + c.Count, start_) - c.Times);
        c.NextFree = x0_;
    }
}

TBarLayout TBarLayouter::Run() {
    for (;;) {
        int32_t t = OpenEnd;
        bool any = false;
        for (int k = 0; k < trackCount_; ++k)
            if (tracks_[k].HasNext()) {
                any = true;
                t = std::min(t, tracks_[k].NextTime());
            }
        if (!any) {
            AddGapOfShortTracks();
            break;
        }
        if (t >= end_) break;
        if (t >= nextGrid_) StartGridCell(t);
        PlaceColumn(t);
    }
    return Finish();
}

// A grid cell runs from one 256-unit point to the next point where every track's
// spaces meet it again; inside it the spacing follows the densest ratio.
void TBarLayouter::StartGridCell(int32_t t) {
    if (gridStart_ >= 0)
        x0_ += static_cast<int>(int64_t(m_.SpaceWidth) * (t - gridStart_) * densestDen_ /
                                (int64_t(densestNum_) * UnitsPerSpace));
    densestNum_ = densestDen_ = 1;
    gridStart_ = nextGrid_ = t - t % UnitsPerSpace;
    std::array<int, MaxTracks> scan{};
    for (int k = 0; k < trackCount_; ++k) {
        TTrackCursor& c = tracks_[k];
        scan[k] = c.Next;
        if (!c.HasNext()) continue;
        // Numerators of the earlier spaces of the same cell, for a bar that cuts a group.
        int acc = 0;
        for (int j = c.Next; j > 0 && c.Times[j] % UnitsPerSpace != 0;) acc += c.Spaces[--j].RatioNum;
        c.GroupDen = c.Spaces[c.Next].RatioDen;
        c.Acc = acc % c.GroupDen;
        c.Units = 0;
    }
    bool straddled;
    do {
        nextGrid_ += UnitsPerSpace;
        straddled = false;
        for (int k = 0; k < trackCount_; ++k) {
            const TTrackCursor& c = tracks_[k];
            for (; scan[k] < c.Count && c.Times[scan[k]] < nextGrid_; ++scan[k]) {
                const TSpace& s = c.Spaces[scan[k]];
                if (Denser(s)) {
                    densestNum_ = s.RatioNum;
                    densestDen_ = s.RatioDen;
                }
            }
            const int32_t following = scan[k] < c.Count ? c.Times[scan[k]] : c.End;
            if (following > nextGrid_ && c.Count > 0) straddled = true;
        }
    } while (straddled && nextGrid_ < end_);
}

void TBarLayouter::PlaceColumn(int32_t t) {
    std::array<int, MaxTracks> placed{};
    int count = 0;
    for (int k = 0; k < trackCount_; ++k)
        if (tracks_[k].HasNext() && tracks_[k].NextTime() == t) {
            PlaceSpace(k, placed.data(), count);
            placed[count++] = k;
        }
    for (int i = 0; i < count; ++i) {
        TTrackCursor& c = tracks_[placed[i]];
        const TSpaceLayout& s = c.Out[c.Next];
        contentRight_ = std::max(contentRight_, s.X + s.Width);
        ++c.Next;
    }
}

void TBarLayouter::PlaceSpace(int k, const int* placedBefore, int placedCount) {
    TTrackCursor& c = tracks_[k];
    const TSpace& s = c.Spaces[c.Next];
    const int den = s.RatioDen;
    if (c.Acc != 0 && den != c.GroupDen) {
        c.Acc = 0;
        ++c.Units;
    }
    c.GroupDen = den;
    int x = static_cast<int>((int64_t(c.Units) * den + c.Acc) * m_.SpaceWidth * densestDen_ /
                             (int64_t(den) * densestNum_)) +
            x0_ + shift_;

    int content = m_.SpaceWidth;
    int pre = 0;
    int post = 0;
    for (int i = 0; i < c.Strings; ++i) {
        if (IsFretNote(s.Notes[i]) && s.Notes[i] - NoteFretBase >= 10)
            content = std::max(content, m_.WideSpaceWidth);
        if (s.Effects[i]) {
            const TEffectRoom room = EffectRoom(s.Effects[i], m_.Normal);
            pre = std::max(pre, room.Pre);
            post = std::max(post, room.Post);
        }
    }
    if (const char letter = PropLetter(s))
        content = std::max(content, m_.Small.Width(static_cast<uint8_t>(letter)));
    if (s.TopText) content = std::max(content, m_.Normal.Width(s.TopText));
    if (s.BottomText) content = std::max(content, m_.Normal.Width(s.BottomText));

    c.Acc += s.RatioNum;
    if (c.Acc >= den) {
        c.Acc -= den;
        ++c.Units;
    }
    if (content > m_.SpaceWidth) x -= (content - m_.SpaceWidth) / 2;
    x -= pre;
    if (const int d = c.NextFree - x; d > 0) {
        // Too close to this track's previous space: move this column and everything after it.
        x += d;
        for (int i = 0; i < placedCount; ++i) {
            TTrackCursor& before = tracks_[placedBefore[i]];
            before.Out[before.Next].X += d;
        }
        for (int i = 0; i < k; ++i) tracks_[i].NextFree += d;
        shift_ += d;
    }
    c.Out[c.Next] =
        TSpaceLayout{x, pre + content + post, static_cast<uint16_t>(pre), static_cast<uint16_t>(content)};
    c.NextFree = x + pre + content + post;
}

// Tracks that end inside the bar leave it wide enough for the time they miss.
void TBarLayouter::AddGapOfShortTracks() {
    if (end_ == OpenEnd) return;
    int32_t gap = end_ - start_;
    for (int k = 0; k < trackCount_; ++k) gap = std::min(gap, end_ - std::max(start_, tracks_[k].End));
    if (gap > 0) contentRight_ += static_cast<int>(int64_t(m_.SpaceWidth) * gap / UnitsPerSpace);
}

TBarLayout TBarLayouter::Finish() const {
    const TBar& bar = doc_.Bar(bar_);
    const bool last = bar_ == doc_.BarCount() - 1;
    int lineWidth = 1;
    if (bar.RepeatEnd) {
        const int digits = bar.RepeatCount < 10 ? 1 : bar.RepeatCount < 100 ? 2 : 3;
        lineWidth = std::max(m_.RepeatDigitWidth * digits, 11);
    } else if (last) {
        lineWidth = 6;
    }
    const int breakExtra = !last && doc_.Bar(bar_ + 1).StaffBreak ? 3 : 0;
    return TBarLayout{1, 0, contentRight_ + 2 + lineWidth + breakExtra, static_cast<uint16_t>(lineWidth),
                      static_cast<uint16_t>(breakExtra)};
}

}  // namespace

TBarLayout LayOutBar(TCustomTabDoc& doc, int bar, const TTabMetrics& metrics, const TTrackFilter& shown,
                     const std::array<TSpaceLayout*, MaxTracks>& spaces) {
    return TBarLayouter(doc, bar, metrics, shown, spaces).Run();
}

}  // namespace fretlo
