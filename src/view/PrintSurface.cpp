#include "view/PrintSurface.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "base/MulDiv.h"
#include "document/SongText.h"
#include "document/TabDoc.h"
#include "view/FontWidths.h"

namespace fretlo {

namespace {

constexpr int UnitsPerInch = 96;
constexpr double LineThickness = 0.5;  // logical units: thinner than on screen, as engraved staves are
constexpr int TitleFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
constexpr int ArtistFlags = Qt::AlignRight | Qt::AlignTop;

QRect ToLogical(const QRect& dots, int dpi) {
    return QRect(MulDiv(dots.left(), UnitsPerInch, dpi), MulDiv(dots.top(), UnitsPerInch, dpi),
                 MulDiv(dots.width(), UnitsPerInch, dpi), MulDiv(dots.height(), UnitsPerInch, dpi));
}

QString SongText(const std::string& bytes) { return QString::fromStdString(SongTextUtf8(bytes)); }

// The device dots a logical rectangle covers, rounded to whole dots, at least one each way.
QRect DeviceDots(const QTransform& toDevice, const QRectF& logical) {
    const QRectF d = toDevice.mapRect(logical);
    const int left = qRound(d.left());
    const int top = qRound(d.top());
    const int right = std::max(qRound(d.right()), left + 1);
    const int bottom = std::max(qRound(d.bottom()), top + 1);
    return QRect(left, top, right - left, bottom - top);
}

// Fills in device space, so that the edges fall on whole dots at any scale.
void FillDots(QPainter& p, const QRectF& logical, const QColor& color) {
    const QTransform toDevice = p.worldTransform();
    p.setWorldTransform(QTransform());
    p.fillRect(DeviceDots(toDevice, logical), color);
    p.setWorldTransform(toDevice);
}

}  // namespace

TPrintPage LogicalPage(const QPageLayout& layout, int dpi) {
    const QRect paper = layout.fullRectPixels(dpi);
    return TPrintPage{ToLogical(paper, dpi).size(), ToLogical(layout.paintRectPixels(dpi), dpi)};
}

TPrintSurfaceControl::TPrintSurfaceControl(const TTabFontSettings& fonts)
    : titleFont_(MakeTabFont(fonts.PrintTitle)), artistFont_(MakeTabFont(fonts.PrintArtist)),
      pageNumberFont_(MakeTabFont(fonts.PrintPageNumber)) {
    pageNumberFont_.setItalic(true);
    // Nothing is shown, so nothing is repainted when bars are invalidated.
    Layout().OnInvalidated = {};
    SetFonts(fonts.Tab, fonts.TabSmall);
    // No scheme is applied: black on white whatever the screen shows, so no light string line
    // fades on paper. The tuning column scrolls away with the song, so only the first row has it.
    TViewOptions view;
    view.HighlightNotes = false;
    view.TuningAlwaysVisible = false;
    SetOptions(view);
}

int TPrintSurfaceControl::BuildLayout(TCustomTabDoc& doc, const TPrintOptions& options, const TPrintPage& page) {
    options_ = options;
    page_ = page;
    SetDocument(&doc);
    Layout().SetTrackFilter(options.Tracks);
    resize(page.Printable.width(), Layout().Height());
    MeasureTitleBlock(doc);
    pageNumberArea_ = options.PageNumbers ? MulDiv(QFontMetrics(pageNumberFont_).height(), 3, 2) : 0;
    rows_ = LayOutRows(Layout(), TPageArea{page.Printable.width(), page.Printable.height() - pageNumberArea_,
                                           titleHeight_ + artistHeight_});
    return rows_.PageCount;
}

void TPrintSurfaceControl::MeasureTitleBlock(const TCustomTabDoc& doc) {
    title_ = options_.Title ? SongText(doc.Title) : QString();
    artist_ = options_.Title ? SongText(doc.Artist) : QString();
    const QRect room(0, 0, page_.Printable.width(), page_.Printable.height());
    titleHeight_ = title_.isEmpty() ? 0 : QFontMetrics(titleFont_).boundingRect(room, TitleFlags, title_).height();
    artistHeight_ =
        artist_.isEmpty() ? 0 : QFontMetrics(artistFont_).boundingRect(room, ArtistFlags, artist_).height();
}

void TPrintSurfaceControl::PrintPage(QPainter& p, int index, int dpi) {
    p.save();
    p.scale(double(dpi) / UnitsPerInch, double(dpi) / UnitsPerInch);
    PaintPage(p, index);
    p.restore();
}

void TPrintSurfaceControl::PreviewPage(QPainter& p, int index, const QRect& box) {
    p.save();
    p.translate(box.topLeft());
    p.scale(double(box.width()) / page_.Paper.width(), double(box.height()) / page_.Paper.height());
    p.translate(page_.Printable.topLeft());
    PaintPage(p, index);
    p.restore();
}

void TPrintSurfaceControl::PaintPage(QPainter& p, int index) {
    const int width = page_.Printable.width();
    p.save();
    p.setClipRect(QRect(QPoint(0, 0), page_.Printable.size()), Qt::IntersectClip);
    if (index == 0) PaintTitleBlock(p);
    PaintPageNumber(p, index);
    const auto first = std::find_if(rows_.Rows.begin(), rows_.Rows.end(),
                                    [index](const TRowInfo& row) { return row.Page == index; });
    for (auto row = first; row != rows_.Rows.end() && row->Page == index; ++row) {
        p.save();
        p.translate(0, row->Top);
        SetScrollOffset(row->XOffset);
        TPaintLimits limits;
        limits.StartTime = row->StartTime;
        limits.EndTime = row->EndTime;
        limits.LinesRight = row->EndX;
        limits.Printing = true;
        Paint(p, QRect(0, 0, width, row->Height), limits);
        p.restore();
    }
    p.restore();
}

void TPrintSurfaceControl::PaintTitleBlock(QPainter& p) {
    const int width = page_.Printable.width();
    p.setPen(Color(tcText));
    if (titleHeight_ > 0) {
        p.setFont(titleFont_);
        p.drawText(QRect(0, 0, width, titleHeight_), TitleFlags, title_);
    }
    if (artistHeight_ > 0) {
        p.setFont(artistFont_);
        p.drawText(QRect(0, titleHeight_, width, artistHeight_), ArtistFlags, artist_);
    }
}

void TPrintSurfaceControl::PaintPageNumber(QPainter& p, int index) {
    if (pageNumberArea_ == 0) return;
    const QSize size = page_.Printable.size();
    p.setPen(Color(tcText));
    p.setFont(pageNumberFont_);
    p.drawText(QRect(0, size.height() - pageNumberArea_, size.width(), pageNumberArea_),
               Qt::AlignHCenter | Qt::AlignBottom, QString::number(index + 1));
}

void TPrintSurfaceControl::FillRect(QPainter& p, int left, int top, int right, int bottom, const QColor& color) {
    FillDots(p, QRectF(QPointF(left, top), QPointF(right + 1, bottom + 1)), color);
}

void TPrintSurfaceControl::DrawLine(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color) {
    if (x1 != x2 && y1 != y2) {
        TTabView::DrawLine(p, x1, y1, x2, y2, color);
        return;
    }
    // Through the middle of the unit the screen fills, so crossing lines meet edge to edge.
    const double half = LineThickness / 2;
    const QPointF from(std::min(x1, x2) + 0.5 - half, std::min(y1, y2) + 0.5 - half);
    const QPointF to(std::max(x1, x2) + 0.5 + half, std::max(y1, y2) + 0.5 + half);
    FillDots(p, QRectF(from, to), color);
}

void TPagedTarget::NewPage() { device_.newPage(); }

void TPagedTarget::PaintPage(int page) { surface_.PrintPage(painter_, page - 1, dpi_); }

}  // namespace fretlo
