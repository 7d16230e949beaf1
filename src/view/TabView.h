// The tablature view: TTabView draws a song's tracks as staves in one long row that
// scrolls horizontally, laid out by the TTabLayout cache. TTabContainer holds it
// with its TTabRuler and TTabScroller.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "document/DocListener.h"
#include "document/Limits.h"
#include "view/layout/TabLayout.h"
#include "view/TabViewColors.h"
#include "view/TimeRange.h"
#include "view/ViewOptions.h"

namespace fretlo {

class TCustomTabDoc;
class TTabRuler;
class TTabScroller;

// The part of the song one paint covers; printing draws one row's time span.
struct TPaintLimits {
    int32_t StartTime = std::numeric_limits<int32_t>::min();
    int32_t EndTime = std::numeric_limits<int32_t>::max();
    std::optional<int> LinesRight;  // song x where a printed row's string lines end
    bool Printing = false;
};

// Where the editing cursor stands; the view draws the ruler for its track.
struct TCursorPos {
    int Track = 0;
    int Space = 0;
    int String = 0;
};

class TTabView : public QWidget, public TDocListener {
    Q_OBJECT
public:
    explicit TTabView(QWidget* parent = nullptr);
    ~TTabView() override;

    // --- Document, fonts, colours, options (TabView.cpp) ----------------------
    // The document must outlive the view or be detached (nullptr) first.
    void SetDocument(TCustomTabDoc* doc);
    TCustomTabDoc* Document() const { return layout_.Document(); }
    void SetFonts(const TTabFontSetting& normal, const TTabFontSetting& small);
    const QFont& NormalFont() const { return normalFont_; }
    const QFont& SmallFont() const { return smallFont_; }
    void SetColors(const TTabColorTable& colors);
    const TTabColorTable& Colors() const { return colors_; }
    QColor Color(TTabViewColors role) const;
    void SetOptions(const TViewOptions& options);
    const TViewOptions& Options() const { return options_; }
    void SetRuler(TTabRuler* ruler) { ruler_ = ruler; }
    void SetScroller(TTabScroller* scroller) { scroller_ = scroller; }
    TTabRuler* Ruler() const { return ruler_; }
    TTabScroller* Scroller() const { return scroller_; }

    TTabLayout& Layout() { return layout_; }
    const TTabMetrics& Metrics() const { return layout_.Metrics(); }
    // Again after a change of track count, string count or text-line flags.
    void LayOutVertically();
    const TCursorPos& Cursor() const { return cursor_; }

    // --- Invalidation: marks bars not valid and posts one deferred repaint -----
    void InvalidateBar(int bar) { layout_.InvalidateBar(bar); }
    void InvalidateBarsFrom(int bar) { layout_.InvalidateBarsFrom(bar); }
    void InvalidateSpace(int track, int space) { layout_.InvalidateSpace(track, space); }
    void InvalidateSpaces(int track, int first, int last) { layout_.InvalidateSpaces(track, first, last); }

    // --- Scrolling (TabViewScroll.cpp) -----------------------------------------
    int ScrollOffset() const { return scrollOffset_; }
    void ScrollTo(int x);
    int TotalWidth();
    // Screen x where the music starts: the tuning column's right edge, or less when it scrolled away.
    int VisibleLeftEdge() const;
    int VisibleWidth() const { return width(); }
    // Screen x of a bar and of a space (laid out on demand).
    int BarX(int bar);
    int SpaceX(int track, int space);

    // --- Playback display (TabViewPlayback.cpp), driven by the editor ----------
    void SetMovingBar(int track, int space);
    void SetHighlight(int track, int space);
    void ClearPlaybackDisplay();
    int MovingBarSpace(int track) const { return movingBar_[track]; }
    int HighlightedSpace(int track) const { return highlight_[track]; }
    // Repaints one space of a track in place (its whole column between the string lines).
    void RedrawSpace(int track, int space);
    // The time range the ruler marks as the playback loop; none in a plain view.
    virtual std::optional<TTimeRange> LoopMark() const { return std::nullopt; }

    // --- Painting (TabViewPaint.cpp, TabViewNotes.cpp) ------------------------
    // Draws everything inside `clip` (view coordinates).
    void Paint(QPainter& p, const QRect& clip, const TPaintLimits& limits = {});
    // Draws the notes (and effects) of one space whose left edge is at screen x.
    void DrawSpace(QPainter& p, int track, int space, int x, bool withEffects);

    // --- Listener --------------------------------------------------------------
    void BarsChanged(TBarsChange change, int barIndex) override;
    void DocumentReplaced() override;

protected:
    // The two drawing primitives, scaled by the print surface. Right, bottom and end points inclusive.
    virtual void FillRect(QPainter& p, int left, int top, int right, int bottom, const QColor& color);
    virtual void DrawLine(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color);
    // Paint plus the overlays (moving-bar boxes; the editor adds its cursor).
    virtual void PaintWithOverlays(QPainter& p, const QRect& clip);
    // Moves the drawing sideways without touching the window: the print surface places its rows.
    void SetScrollOffset(int x) { scrollOffset_ = x; }

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    TCursorPos cursor_;

private:
    void ApplyMetrics();
    void PostDeferredRepaint();
    void DeferredRepaint();
    void RepaintStrip(const QRect& strip);
    void ScrollPixels(int dx, int fromX);
    int FirstVisibleBar() const;
    int StringLinesRight();
    void PaintLeftEdge(QPainter& p, const TPaintLimits& limits);
    void PaintTuning(QPainter& p, const QRect& clip);
    void PaintBarSigns(QPainter& p, int track, const QRect& clip, const TPaintLimits& limits);
    void PaintBar(QPainter& p, int track, int bar, const QRect& clip, const TPaintLimits& limits);
    void PaintRepeatDots(QPainter& p, int track, int left, const QColor& color);
    void PaintSpaces(QPainter& p, int track, const QRect& clip, const TPaintLimits& limits);
    void PaintTrackExtras(QPainter& p, int track, int space, int x);
    void PaintMovingBars(QPainter& p);
    QRect SpaceRect(int track, int space);
    void DrawCentred(QPainter& p, const QString& text, int centreX, int top, const QFont& font, bool opaque);

    TTabLayout layout_;
    QFont normalFont_;
    QFont smallFont_;
    QFont tuningFont_;
    TTabFontSetting normalSetting_ = DefaultTabFont;
    TTabFontSetting smallSetting_ = DefaultSmallTabFont;
    TTabColorTable colors_ = DefaultTabColors;
    TViewOptions options_;
    int scrollOffset_ = 0;
    bool repaintPosted_ = false;
    QPixmap strip_;  // the off-screen picture of a deferred repaint
    QRect stripRect_;
    std::array<int, MaxTracks> movingBar_;
    std::array<int, MaxTracks> highlight_;
    TTabRuler* ruler_ = nullptr;
    TTabScroller* scroller_ = nullptr;
};

}  // namespace fretlo

#include "view/TabContainer.h"
#include "view/TabRuler.h"
#include "view/TabScroller.h"
