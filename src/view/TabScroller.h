// TTabScroller: owns the scroll bars; the view is its child, as wide as its client
// area and as tall as all tracks. Vertical scrolling moves the view; horizontal
// scrolling is done by the view itself.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>

namespace fretlo {

class TTabView;

class TTabScroller : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TTabScroller(QWidget* parent = nullptr);
    // Makes `view` the scrolled child and tells it about this scroller.
    void SetView(TTabView* view);

    // Recomputes the scroll-bar ranges at once (posted) or after a quiet spell.
    void RequestUpdate(bool immediate);
    void SetHorizontalValue(int x);
    void SetBackground(const QColor& color);
    // Scrolls vertically just enough to show the band of `track`.
    void ShowTrack(int track);

protected:
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    void PlaceView();

    TTabView* view_ = nullptr;
    QTimer deferred_;
    bool updatePosted_ = false;
};

}  // namespace fretlo
