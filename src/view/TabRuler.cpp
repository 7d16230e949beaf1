#include "view/TabRuler.h"

#include <QPaintEvent>
#include <QPainter>

#include "document/TabDoc.h"
#include "view/TabView.h"

namespace fretlo {

namespace {

QColor Scaled(const QColor& c, int twentyFourths) {
    return QColor(c.red() * twentyFourths / 24, c.green() * twentyFourths / 24,
                  c.blue() * twentyFourths / 24);
}

// The spaces of the cursor track that may lie in the ruler, with their screen x.
struct TRulerSpan {
    int Track = -1;
    int First = 0;  // first space of the first visible bar
    int Bar = 0;
};

TRulerSpan VisibleSpan(TTabView& view) {
    TCustomTabDoc* doc = view.Document();
    TRulerSpan span;
    if (!doc || doc->BarCount() == 0 || view.Cursor().Track >= doc->TrackCount()) return span;
    TTabLayout& layout = view.Layout();
    if (!layout.TrackShown(view.Cursor().Track)) return span;
    layout.EnsureLaidOut(doc->BarCount() - 1, view.ScrollOffset() + view.width());
    // The last laid-out bar at or left of the scroll offset.
    int b = 0;
    while (b + 1 < layout.LaidOutUpTo() && layout.Bar(b + 1).X <= view.ScrollOffset()) ++b;
    span.Track = view.Cursor().Track;
    span.Bar = b;
    span.First = doc->SpaceAtTime(span.Track, doc->Bar(b).Start, satNoClamp);
    return span;
}

}  // namespace

TTabRuler::TTabRuler(TTabView* view, QWidget* parent) : QWidget(parent), view_(view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
}

int TTabRuler::TickLength(int32_t fromBarStart) {
    if (fromBarStart == 0) return 17;
    if (fromBarStart % UnitsPerBeat == 0) return 14;
    const int32_t inBeat = fromBarStart % UnitsPerBeat;
    if (inBeat == 512) return 9;
    if (inBeat == 256 || inBeat == 768) return 4;
    return 2;
}

void TTabRuler::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), palette().color(QPalette::Button));
    PaintRegions(p, e->rect());
    PaintLoop(p);
    PaintTicks(p, e->rect());
}

// Bands under the runs of spaces with an alternate-time ratio.
void TTabRuler::PaintRegions(QPainter& p, const QRect& clip) {
    const TRulerSpan span = VisibleSpan(*view_);
    if (span.Track < 0) return;
    TCustomTabDoc& doc = *view_->Document();
    const TTrackData& track = doc.Track(span.Track);
    const QColor face = palette().color(QPalette::Button);
    const int left = view_->VisibleLeftEdge();
    TTabLayout& layout = view_->Layout();
    for (int s = span.First; s < track.SpaceCount(); ++s) {
        const TSpace& sp = track.Space(s);
        const bool plain = sp.RatioNum == sp.RatioDen;
        const bool runStart = s == 0 || track.Space(s - 1).RatioNum != sp.RatioNum ||
                              track.Space(s - 1).RatioDen != sp.RatioDen;
        if (plain || (!runStart && s != span.First)) continue;
        if (doc.BarOfSpace(span.Track, s) >= layout.LaidOutUpTo()) break;
        const int x = view_->SpaceX(span.Track, s);
        if (x > clip.right() || x >= width()) break;
        int end = s;
        while (end + 1 < track.SpaceCount() && track.Space(end + 1).RatioNum == sp.RatioNum &&
               track.Space(end + 1).RatioDen == sp.RatioDen &&
               doc.BarOfSpace(span.Track, end + 1) < layout.LaidOutUpTo())
            ++end;
        const int right = view_->SpaceX(span.Track, end) + layout.Space(span.Track, end).Width;
        const int from = std::max(x, left);
        p.fillRect(QRect(QPoint(from, 1), QPoint(right, height() - 2)), Scaled(face, 22));
        const QColor edge = Scaled(face, 21);
        const bool cutOff = !runStart || x < left;
        if (!cutOff) p.fillRect(QRect(x, 1, 1, height() - 2), edge);
        p.fillRect(QRect(right, 1, 1, height() - 2), edge);
        s = end;
    }
}

// A translucent band in the highlight colour over the loop range, with solid edges; an edge
// beyond the laid-out bars or the window is not drawn.
void TTabRuler::PaintLoop(QPainter& p) {
    const std::optional<TTimeRange> loop = view_->LoopMark();
    const TRulerSpan span = VisibleSpan(*view_);
    if (!loop || span.Track < 0) return;
    TCustomTabDoc& doc = *view_->Document();
    TTabLayout& layout = view_->Layout();
    const int count = doc.Track(span.Track).SpaceCount();
    const auto edgeX = [&](int32_t time) {
        const int s = doc.SpaceAtTime(span.Track, time, satNoClamp);
        if (s >= count || doc.BarOfSpace(span.Track, s) >= layout.LaidOutUpTo()) return width();
        return view_->SpaceX(span.Track, s);
    };
    const int left = view_->VisibleLeftEdge();
    const int startX = edgeX(loop->Start);
    const int endX = edgeX(loop->End);
    const int from = std::max(startX, left);
    if (endX <= from) return;
    QColor band = palette().color(QPalette::Highlight);
    const QColor edge = band;
    band.setAlpha(80);
    p.fillRect(QRect(from, 0, std::min(endX, width()) - from, height()), band);
    if (startX >= left) p.fillRect(QRect(startX, 0, 2, height()), edge);
    if (endX < width()) p.fillRect(QRect(endX - 2, 0, 2, height()), edge);
}

// A tick per space, longer on bar starts, beats and eighths; red in an overfull bar.
void TTabRuler::PaintTicks(QPainter& p, const QRect& clip) {
    const TRulerSpan span = VisibleSpan(*view_);
    if (span.Track < 0) return;
    TCustomTabDoc& doc = *view_->Document();
    TTrackData& track = doc.Track(span.Track);
    TTabLayout& layout = view_->Layout();
    const int32_t* times = track.SpaceTimes();
    const int left = view_->VisibleLeftEdge();
    const QPalette& pal = palette();
    int b = span.Bar;
    for (int s = span.First; s < track.SpaceCount(); ++s) {
        while (b + 1 < doc.BarCount() && doc.Bar(b + 1).Start <= times[s]) ++b;
        if (b >= layout.LaidOutUpTo()) break;
        const TSpaceLayout& rec = layout.Space(span.Track, s);
        const int x =
            layout.Bar(b).X + rec.X - view_->ScrollOffset() + rec.PreWidth + rec.ContentWidth / 2 - 1;
        if (x > clip.right() || x >= width()) break;
        if (x < left || x + 1 < clip.left()) continue;
        const int length = TickLength(times[s] - doc.Bar(b).Start);
        const bool cursor = s == view_->Cursor().Space;
        QColor first = cursor ? pal.color(QPalette::Shadow) : pal.color(QPalette::Dark);
        QColor second = cursor ? pal.color(QPalette::Dark) : pal.color(QPalette::Light);
        // The last bar's own end counts here: spaces past the song's end are overfull too.
        if (times[s] >= doc.Bar(b).End) first = second = Qt::red;
        p.fillRect(QRect(x, 0, 1, length), first);
        p.fillRect(QRect(x + 1, 0, 1, length), second);
    }
}

TTabRulerParent::TTabRulerParent(TTabView* view, QWidget* parent)
    : QWidget(parent), ruler_(new TTabRuler(view, this)) {
    setFixedHeight(RulerHeight);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void TTabRulerParent::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ruler_->setGeometry(rect());
}

}  // namespace fretlo
