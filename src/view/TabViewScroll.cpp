// TTabView: horizontal scrolling, which moves pixels, and screen positions.
#include <QPainter>
#include <algorithm>

#include "document/TabDoc.h"
#include "view/TabView.h"

namespace fretlo {

int TTabView::TotalWidth() {
    layout_.RecomputeTotalWidth();
    return layout_.TotalWidth();
}

int TTabView::VisibleLeftEdge() const {
    const int column = Metrics().TuningColumnWidth;
    return options_.TuningAlwaysVisible ? column : std::max(column - scrollOffset_, 0);
}

int TTabView::BarX(int bar) { return layout_.BarX(bar) - scrollOffset_; }

int TTabView::SpaceX(int track, int space) { return layout_.SpaceX(track, space) - scrollOffset_; }

void TTabView::ScrollTo(int x) {
    int total = layout_.TotalWidth();
    if (x > total - width()) total = TotalWidth();
    x = std::clamp(x, 0, std::max(total - width(), 0));
    const int dx = scrollOffset_ - x;
    if (dx == 0) return;
    const bool edgeChanges = options_.TuningAlwaysVisible && (scrollOffset_ == 0) != (x == 0);
    scrollOffset_ = x;
    if (scroller_) scroller_->SetHorizontalValue(x);
    const int from = options_.TuningAlwaysVisible ? Metrics().TuningColumnWidth : 0;
    if (std::abs(dx) < width()) {
        ScrollPixels(dx, from);
    } else {
        update();
        if (ruler_) ruler_->update();
    }
    // The staff's left edge line is drawn at the pinned column only while not scrolled.
    if (edgeChanges) update(from - 1, 0, 1, height());
}

// Moves the pixels right of screen x `fromX` sideways in the view and the ruler.
void TTabView::ScrollPixels(int dx, int fromX) {
    fromX = std::max(fromX, 0);
    if (fromX >= width()) return;
    scroll(dx, 0, QRect(fromX, 0, width() - fromX, height()));
    if (ruler_) ruler_->scroll(dx, 0, QRect(fromX, 0, ruler_->width() - fromX, ruler_->height()));
}

// The last laid-out bar whose x is at or left of the scroll offset.
int TTabView::FirstVisibleBar() const {
    const int n = layout_.LaidOutUpTo();
    int lo = 0;
    int hi = n;  // the first bar right of the offset lies in [lo, hi]
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (layout_.Bar(mid).X <= scrollOffset_)
            lo = mid + 1;
        else
            hi = mid;
    }
    return std::max(lo - 1, 0);
}

}  // namespace fretlo
