// TTabView: document, fonts, colours, the listener and the coalesced deferred repaint.
#include "view/TabView.h"

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "document/TabDoc.h"
#include "view/FontWidths.h"

namespace fretlo {

namespace {

// The private message of the deferred repaint.
const QEvent::Type DeferredRepaintEvent = static_cast<QEvent::Type>(QEvent::User + 500);

QColor ToQColor(TColorRef c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace

TTabView::TTabView(QWidget* parent) : QWidget(parent) {
    movingBar_.fill(-1);
    highlight_.fill(-1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);  // a resize repaints only the uncovered part
    layout_.OnInvalidated = [this] { PostDeferredRepaint(); };
    layout_.OnSlowLayout = [](bool slow) {
        if (slow)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    layout_.OnTotalWidthChanged = [this] {
        if (scroller_) scroller_->RequestUpdate(false);
    };
    SetFonts(normalSetting_, smallSetting_);
    SetColors(colors_);
}

TTabView::~TTabView() {
    if (Document()) Document()->RemoveListener(this);
}

void TTabView::SetDocument(TCustomTabDoc* doc) {
    if (Document()) Document()->RemoveListener(this);
    layout_.SetDocument(doc);
    if (doc) doc->AddListener(this);
    DocumentReplaced();
}

void TTabView::SetFonts(const TTabFontSetting& normal, const TTabFontSetting& small) {
    normalSetting_ = normal;
    smallSetting_ = small;
    normalFont_ = MakeTabFont(normal);
    smallFont_ = MakeTabFont(small);
    tuningFont_ = normalFont_;
    tuningFont_.setBold(true);
    ApplyMetrics();
}

void TTabView::ApplyMetrics() {
    layout_.SetMetrics(ComputeMetrics(MeasureFont(normalFont_, normalSetting_.Height),
                                      MeasureFont(smallFont_, smallSetting_.Height)));
    if (Document()) LayOutVertically();
    update();
    if (ruler_) ruler_->update();
}

void TTabView::SetColors(const TTabColorTable& colors) {
    colors_ = colors;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Color(tcBkg));
    setPalette(pal);
    if (scroller_) scroller_->SetBackground(Color(tcBkg));
    update();
    if (ruler_) ruler_->update();
}

QColor TTabView::Color(TTabViewColors role) const { return ToQColor(colors_[role]); }

void TTabView::SetOptions(const TViewOptions& options) {
    const bool pinChanged = options.TuningAlwaysVisible != options_.TuningAlwaysVisible;
    options_ = options;
    if (pinChanged && Document()) layout_.InvalidateAll();
    update();
    if (ruler_) ruler_->update();
}

void TTabView::LayOutVertically() {
    layout_.LayOutVertically();
    if (cursor_.Track >= Document()->TrackCount()) cursor_ = TCursorPos{};
    resize(width(), layout_.Height());
    if (scroller_) scroller_->RequestUpdate(true);
    update();
}

// --- Listener -----------------------------------------------------------------

void TTabView::BarsChanged(TBarsChange change, int barIndex) {
    layout_.BarsChanged(change, barIndex);
    if (change == bcClearing) PostDeferredRepaint();
}

void TTabView::DocumentReplaced() {
    layout_.DocumentReplaced();
    scrollOffset_ = 0;
    cursor_ = TCursorPos{};
    movingBar_.fill(-1);
    highlight_.fill(-1);
    if (Document()) LayOutVertically();
    if (scroller_) scroller_->RequestUpdate(true);
    update();
    if (ruler_) ruler_->update();
}

// --- Deferred repaint -----------------------------------------------------------

void TTabView::PostDeferredRepaint() {
    if (scroller_) scroller_->RequestUpdate(false);
    if (repaintPosted_) return;
    repaintPosted_ = true;
    QApplication::postEvent(this, new QEvent(DeferredRepaintEvent));
}

bool TTabView::event(QEvent* e) {
    if (e->type() != DeferredRepaintEvent) return QWidget::event(e);
    repaintPosted_ = false;
    DeferredRepaint();
    return true;
}

// Lays out the invalid bars that start inside the window, slides what follows them
// when their width changed, and repaints just their strip.
void TTabView::DeferredRepaint() {
    layout_.ClearDirty();
    TCustomTabDoc* doc = Document();
    if (!doc || doc->BarCount() == 0 || layout_.BarCount() != doc->BarCount()) {
        update();
        return;
    }
    const int right = scrollOffset_ + width();
    int first = -1;
    int last = -1;
    int x = layout_.LaidOutUpTo() == 0
                ? Metrics().TuningColumnWidth
                : layout_.Bar(layout_.LaidOutUpTo() - 1).X + layout_.Bar(layout_.LaidOutUpTo() - 1).Width;
    int oldRight = x;
    for (int b = layout_.LaidOutUpTo(); b < layout_.BarCount() && x < right; ++b) {
        const TBarLayout& rec = layout_.Bar(b);
        if (!rec.Valid) {
            if (first < 0) first = b;
            last = b;
            oldRight = x + rec.Width;
        }
        x += rec.Width;
    }
    if (first < 0) return;
    const int left = layout_.EnsureLaidOut(first).X - scrollOffset_;
    const TBarLayout& lastRec = layout_.EnsureLaidOut(last);
    const int newRight = lastRec.X + lastRec.Width;
    if (newRight != oldRight) ScrollPixels(newRight - oldRight, std::min(oldRight, newRight) - scrollOffset_);
    QRect strip(left, 0, newRight - scrollOffset_ - left, height());
    strip.setLeft(std::max(strip.left(), VisibleLeftEdge()));
    strip = strip.intersected(rect());
    if (!strip.isEmpty()) RepaintStrip(strip);
    if (ruler_) ruler_->update(strip.left(), 0, strip.width(), ruler_->height());
}

// Paints the strip into an off-screen picture first, so it reaches the screen in one copy.
void TTabView::RepaintStrip(const QRect& strip) {
    const qreal dpr = devicePixelRatioF();
    strip_ = QPixmap(strip.size() * dpr);
    strip_.setDevicePixelRatio(dpr);
    strip_.fill(Color(tcBkg));
    {
        QPainter p(&strip_);
        p.translate(-strip.topLeft());
        PaintWithOverlays(p, strip);
    }
    stripRect_ = strip;
    repaint(strip);
    strip_ = QPixmap();
}

void TTabView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!strip_.isNull() && stripRect_.contains(e->rect())) {
        p.drawPixmap(stripRect_.topLeft(), strip_);
        return;
    }
    p.fillRect(e->rect(), Color(tcBkg));
    PaintWithOverlays(p, e->rect());
}

void TTabView::PaintWithOverlays(QPainter& p, const QRect& clip) {
    Paint(p, clip);
    PaintMovingBars(p);
}

void TTabView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (scroller_) scroller_->RequestUpdate(true);
}

}  // namespace fretlo
