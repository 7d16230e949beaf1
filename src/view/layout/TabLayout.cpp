#include "view/layout/TabLayout.h"

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "view/layout/BarLayout.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>

namespace fretlo {

namespace {

// Tells a listener once when a layout run gets slow, and again when it ends.
class TSlowLayoutWatch {
public:
    explicit TSlowLayoutWatch(const std::function<void(bool)>& notify) : notify_(notify) {}
    ~TSlowLayoutWatch() {
        if (slow_) notify_(false);
    }
    TSlowLayoutWatch(const TSlowLayoutWatch&) = delete;
    TSlowLayoutWatch& operator=(const TSlowLayoutWatch&) = delete;

    // After each bar; the clock is read every 64 bars only.
    void Tick() {
        if (slow_ || !notify_ || ++bars_ % 64 != 0) return;
        if (std::chrono::steady_clock::now() - start_ < std::chrono::milliseconds(TTabLayout::SlowLayoutMs))
            return;
        slow_ = true;
        notify_(true);
    }

private:
    const std::function<void(bool)>& notify_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    int bars_ = 0;
    bool slow_ = false;
};

}  // namespace

TTabLayout::TTabLayout() {
    for (auto& table : spaces_) table = std::make_unique<TVirtualArray<TSpaceLayout>>(MaxSpaces);
}

TTabLayout::~TTabLayout() = default;

void TTabLayout::SetDocument(TCustomTabDoc* doc) {
    doc_ = doc;
    DocumentReplaced();
}

void TTabLayout::SetMetrics(const TTabMetrics& metrics) {
    metrics_ = metrics;
    if (!doc_) return;
    LayOutVertically();
    InvalidateAll();
}

void TTabLayout::SetTrackFilter(const TTrackFilter& shown) {
    shown_ = shown;
    if (!doc_) return;
    LayOutVertically();
    InvalidateAll();
}

bool TTabLayout::TrackShown(int track) const {
    return doc_ && track >= 0 && track < doc_->TrackCount() && shown_[track];
}

void TTabLayout::LayOutVertically() {
    height_ = LayOutTrackBands(*doc_, metrics_, shown_, bands_);
    GrowSpaceTables();
}

int TTabLayout::FirstShownTrack() const {
    for (int t = 0; doc_ && t < doc_->TrackCount(); ++t)
        if (shown_[t]) return t;
    return -1;
}

int TTabLayout::LastShownTrack() const {
    for (int t = doc_ ? doc_->TrackCount() - 1 : -1; t >= 0; --t)
        if (shown_[t]) return t;
    return -1;
}

// Tables of tracks beyond the track count are emptied; the others cover every space.
void TTabLayout::GrowSpaceTables() {
    for (int t = 0; t < MaxTracks; ++t) {
        const int need = t < doc_->TrackCount() ? doc_->Track(t).SpaceCount() : 0;
        if (need == 0 || need > spaces_[t]->Count()) spaces_[t]->SetCount(need);
    }
}

// --- Invalidation -----------------------------------------------------------

void TTabLayout::InvalidateBar(int bar) {
    if (bar < 0 || bar >= bars_.Count()) return;
    bars_[bar].Valid = 0;
    laidOutUpTo_ = std::min(laidOutUpTo_, bar);
    dirty_ = true;
    if (OnInvalidated) OnInvalidated();
}

void TTabLayout::InvalidateBarsFrom(int bar) {
    bar = std::max(bar, 0);
    if (bar >= bars_.Count()) return;
    for (int b = bar; b < bars_.Count(); ++b) bars_[b].Valid = 0;
    InvalidateBar(bar);
}

void TTabLayout::InvalidateAll() { InvalidateBarsFrom(0); }

void TTabLayout::InvalidateSpace(int track, int space) { InvalidateBar(doc_->BarOfSpace(track, space)); }

void TTabLayout::InvalidateSpaces(int track, int first, int last) {
    const int to = doc_->BarOfSpace(track, last);
    for (int b = doc_->BarOfSpace(track, first); b <= to; ++b) InvalidateBar(b);
}

// --- Lazy layout --------------------------------------------------------------

void TTabLayout::SyncBarCount() {
    // Listener calls keep the counts equal; a document changed without them is laid out anew.
    if (bars_.Count() == doc_->BarCount()) return;
    bars_.SetCount(doc_->BarCount());
    InvalidateAll();
}

void TTabLayout::LayOutOneBar(int bar) {
    std::array<TSpaceLayout*, MaxTracks> out{};
    for (int t = 0; t < MaxTracks; ++t) out[t] = spaces_[t]->Data();
    const int32_t x = bars_[bar].X;
    bars_[bar] = LayOutBar(*doc_, bar, metrics_, shown_, out);
    bars_[bar].X = x;
}

const TBarLayout& TTabLayout::EnsureLaidOut(int bar, int visibleRight) {
    SyncBarCount();
    GrowSpaceTables();
    const int n = bars_.Count();
    Check(bar >= 0 && bar < n, "bar index out of range");
    int b = laidOutUpTo_;
    int x = b == 0 ? FirstX() : bars_[b - 1].X + bars_[b - 1].Width;
    bool laidPrevious = false;
    TSlowLayoutWatch watch(OnSlowLayout);
    for (; b < n; ++b) {
        TBarLayout& rec = bars_[b];
        rec.X = x;
        if (!rec.Valid) {
            if (b > bar && !laidPrevious) break;
            if (visibleRight >= 0 && x >= visibleRight) break;
            LayOutOneBar(b);
            laidPrevious = true;
            watch.Tick();
        } else {
            laidPrevious = false;
        }
        if (b == laidOutUpTo_) ++laidOutUpTo_;
        x += rec.Width;
    }
    if (b == n && laidOutUpTo_ == n) {
        const int total = x + 20;
        if (total != totalWidth_) {
            totalWidth_ = total;
            if (OnTotalWidthChanged) OnTotalWidthChanged();
        }
    }
    return bars_[bar];
}

void TTabLayout::RecomputeTotalWidth() {
    if (doc_ && doc_->BarCount() > 0)
        EnsureLaidOut(doc_->BarCount() - 1);
    else
        totalWidth_ = FirstX() + 20;
}

int TTabLayout::BarX(int bar) { return EnsureLaidOut(bar).X; }

int TTabLayout::SpaceX(int track, int space) {
    return BarX(doc_->BarOfSpace(track, space)) + Space(track, space).X;
}

std::pair<int, int> TTabLayout::ColumnExtent(int32_t time) {
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    for (int t = 0; t < doc_->TrackCount(); ++t) {
        if (!shown_[t]) continue;
        const int s = doc_->SpaceAtTime(t, time, satExact);
        if (s < 0) continue;
        const int x = SpaceX(t, s);
        left = std::min(left, x);
        right = std::max(right, x + Space(t, s).Width);
    }
    return {left, right};
}

// --- Document listener ------------------------------------------------------

void TTabLayout::BarsChanged(TBarsChange change, int barIndex) {
    const int n = bars_.Count();
    switch (change) {
    case bcInserted: {
        if (barIndex < 0 || barIndex > n) break;
        InvalidateBar(barIndex - 1);
        bars_.SetCount(n + 1);
        TBarLayout* data = bars_.Data();
        std::memmove(data + barIndex + 1, data + barIndex, sizeof(TBarLayout) * size_t(n - barIndex));
        // Zero width until laid out, so the bars after it keep their x meanwhile.
        data[barIndex] = TBarLayout{};
        if (barIndex > 0) data[barIndex].X = data[barIndex - 1].X + data[barIndex - 1].Width;
        InvalidateBar(barIndex);
        break;
    }
    case bcDeleting: {
        if (barIndex < 0 || barIndex >= n) break;
        TBarLayout* data = bars_.Data();
        if (barIndex > 0) {
            InvalidateBar(barIndex - 1);
            data[barIndex - 1].Width += data[barIndex].Width;
        }
        std::memmove(data + barIndex, data + barIndex + 1, sizeof(TBarLayout) * size_t(n - barIndex - 1));
        bars_.SetCount(n - 1);
        laidOutUpTo_ = std::min(laidOutUpTo_, std::max(barIndex - 1, 0));
        if (barIndex == 0) InvalidateBar(0);
        break;
    }
    case bcClearing:
        bars_.SetCount(0);
        laidOutUpTo_ = 0;
        break;
    }
}

void TTabLayout::DocumentReplaced() {
    bars_.SetCount(0);
    laidOutUpTo_ = 0;
    totalWidth_ = 0;
    if (!doc_) return;
    bars_.SetCount(doc_->BarCount());
    LayOutVertically();
    InvalidateAll();
}

}  // namespace fretlo
