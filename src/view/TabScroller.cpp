#include "view/TabScroller.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollBar>

#include "view/TabView.h"

namespace fretlo {

namespace {

// The private message of an immediate scroll-bar update.
const QEvent::Type ScrollerUpdateEvent = static_cast<QEvent::Type>(QEvent::User + 300);
constexpr int DeferredUpdateMs = 1100;
constexpr int VerticalLine = 16;

}  // namespace

TTabScroller::TTabScroller(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    deferred_.setSingleShot(true);
    deferred_.setInterval(DeferredUpdateMs);
    connect(&deferred_, &QTimer::timeout, this, [this] { UpdateScrollBars(); });
    verticalScrollBar()->setSingleStep(VerticalLine);
}

void TTabScroller::SetView(TTabView* view) {
    view_ = view;
    view->setParent(viewport());
    view->SetScroller(this);
    PlaceView();
    view->show();
    RequestUpdate(true);
}

void TTabScroller::RequestUpdate(bool immediate) {
    if (!immediate) {
        if (!deferred_.isActive()) deferred_.start();
        return;
    }
    deferred_.stop();
    if (updatePosted_) return;
    updatePosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(ScrollerUpdateEvent));
}

bool TTabScroller::event(QEvent* e) {
    if (e->type() != ScrollerUpdateEvent) return QAbstractScrollArea::event(e);
    updatePosted_ = false;
    UpdateScrollBars();
    return true;
}

void TTabScroller::UpdateScrollBars() {
    if (!view_) return;
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(view_->TotalWidth() - client.width(), 0));
    h->setPageStep(client.width() / 2);
    h->setSingleStep(2 * view_->Metrics().SpaceWidth);
    h->setValue(view_->ScrollOffset());
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(view_->height() - client.height(), 0));
    v->setPageStep(client.height());
    PlaceView();
}

void TTabScroller::SetHorizontalValue(int x) {
    QScrollBar* h = horizontalScrollBar();
    if (x > h->maximum()) h->setMaximum(x);
    const QSignalBlocker block(h);
    h->setValue(x);
}

void TTabScroller::SetBackground(const QColor& color) {
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, color);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
}

void TTabScroller::ShowTrack(int track) {
    if (!view_) return;
    const TTrackBand& band = view_->Layout().Band(track);
    QScrollBar* v = verticalScrollBar();
    const int top = band.BandTop - view_->Metrics().TrackMargin;
    const int bottom = band.BandBottom + view_->Metrics().TrackMargin;
    if (top < v->value())
        v->setValue(top);
    else if (bottom > v->value() + viewport()->height())
        v->setValue(bottom - viewport()->height());
}

bool TTabScroller::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Resize) {
        PlaceView();
        RequestUpdate(true);
    }
    return QAbstractScrollArea::viewportEvent(e);
}

void TTabScroller::scrollContentsBy(int dx, int dy) {
    if (!view_) return;
    if (dy) PlaceView();
    if (dx) view_->ScrollTo(horizontalScrollBar()->value());
}

// The view spans the client width and all tracks; its top follows the vertical scroll bar.
void TTabScroller::PlaceView() {
    if (!view_) return;
    const int height = std::max(view_->Layout().Height(), viewport()->height());
    const int top = std::clamp(verticalScrollBar()->value(), 0, std::max(height - viewport()->height(), 0));
    view_->setGeometry(0, -top, viewport()->width(), height);
}

}  // namespace fretlo
