#include "view/layout/PrintRows.h"

#include "base/Errors.h"
#include "document/TabDoc.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace fretlo {

namespace {

// A place where a row may end inside a bar: a column that is not the row's first.
struct TBreakCandidate {
    int32_t Time;
    int Left;  // leftmost x of the column's spaces
};

// The start times of the printed tracks' spaces inside one bar, in time order.
class TBarColumns {
public:
    TBarColumns(const TTabLayout& layout, int bar) : doc_(*layout.Document()) {
        end_ = doc_.BarEnd(bar);
        for (int t = 0; t < doc_.TrackCount(); ++t)
            next_[t] = layout.TrackShown(t) ? doc_.SpaceAtTime(t, doc_.Bar(bar).Start, satNoClamp)
                                            : doc_.Track(t).SpaceCount();
    }

    // The next column's time, or nothing after the bar's last.
    std::optional<int32_t> Next() {
        int32_t time = std::numeric_limits<int32_t>::max();
        for (int t = 0; t < doc_.TrackCount(); ++t)
            if (next_[t] < doc_.Track(t).SpaceCount()) time = std::min(time, doc_.Track(t).SpaceTime(next_[t]));
        if (time >= end_) return std::nullopt;
        for (int t = 0; t < doc_.TrackCount(); ++t)
            if (next_[t] < doc_.Track(t).SpaceCount() && doc_.Track(t).SpaceTime(next_[t]) == time) ++next_[t];
        return time;
    }

private:
    const TCustomTabDoc& doc_;
    int32_t end_;
    std::array<int, MaxTracks> next_{};
};

class TRowBuilder {
public:
    TRowBuilder(TTabLayout& layout, const TPageArea& area)
        : layout_(layout), doc_(*layout.Document()), area_(area), y_(area.FirstPageTop) {}

    TPrintRows Build() {
        const int last = doc_.LastUsedBar(false);
        for (int b = 0; b <= last; ++b) {
            const TBarLayout& bar = layout_.EnsureLaidOut(b);
            TBarColumns columns(layout_, b);
            while (const auto time = columns.Next()) {
                const auto [left, right] = layout_.ColumnExtent(*time);
                if (left > right) throw EInternalError("LayOutRows internal error: GetTickX returned False");
                if (*time > row_.StartTime) candidate_ = TBreakCandidate{*time, left};
                BreakWhileOver(right, b);
            }
            BreakWhileOver(bar.X + bar.Width, b);
            ++completedBars_;
        }
        const TBarLayout& bar = layout_.Bar(last);
        Finish(doc_.BarEnd(last), bar.X + bar.Width - 1);
        return std::move(out_);
    }

private:
    // A second break is needed when the bar moved to a new row is itself wider than the page.
    void BreakWhileOver(int right, int bar) {
        while (right - row_.XOffset > area_.Width && Break(bar)) {
        }
    }

    // Ends the row before the current bar when the row holds a completed bar, else before the
    // latest break candidate; false when neither exists.
    bool Break(int bar) {
        int32_t start = 0;
        int left = 0;
        if (completedBars_ > 0) {
            start = doc_.Bar(bar).Start;
            left = layout_.Bar(bar).X;
        } else if (candidate_) {
            start = candidate_->Time;
            left = candidate_->Left;
        } else {
            return false;
        }
        Finish(start, left - 1);
        row_ = TRowInfo{0, 0, start, 0, left - 1, 0, 0};
        completedBars_ = 0;
        if (candidate_ && candidate_->Time <= start) candidate_.reset();
        return true;
    }

    void Finish(int32_t endTime, int endX) {
        row_.EndTime = endTime;
        row_.EndX = endX;
        // Every row holds all printed tracks, so every row is as tall as the laid-out tracks.
        row_.Height = layout_.Height();
        if (y_ + row_.Height - 2 * layout_.Metrics().TrackMargin > area_.Height && rowsOnPage_ > 0) {
            ++out_.PageCount;
            y_ = 0;
            rowsOnPage_ = 0;
        }
        row_.Page = out_.PageCount - 1;
        row_.Top = y_;
        y_ += row_.Height;
        ++rowsOnPage_;
        out_.Rows.push_back(row_);
    }

    TTabLayout& layout_;
    const TCustomTabDoc& doc_;
    const TPageArea area_;
    TPrintRows out_;
    TRowInfo row_{0, 0, 0, 0, 0, 0, 0};
    int y_;
    int rowsOnPage_ = 0;
    int completedBars_ = 0;
    std::optional<TBreakCandidate> candidate_;
};

}  // namespace

TPrintRows LayOutRows(TTabLayout& layout, const TPageArea& area) {
    // A song without bars or without printed tracks is one blank page.
    if (!layout.Document() || layout.Document()->BarCount() == 0 || layout.FirstShownTrack() < 0) return {};
    return TRowBuilder(layout, area).Build();
}

}  // namespace fretlo
