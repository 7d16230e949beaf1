// TPrintSurfaceControl: the tablature view that prints. It lays the song out at 96 units
// per inch (its size on a 96-dpi screen), cuts it into rows that fit the printable width,
// stacks the rows into pages, and paints any page onto a printer page or scaled into a
// preview. Printing and the preview share it; it is never shown itself.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include "view/TabView.h"
#include "view/layout/PrintJob.h"
#include "view/layout/PrintRows.h"

class QPageLayout;
class QPagedPaintDevice;

namespace fretlo {

// What the print options dialog chooses.
struct TPrintOptions {
    bool Title = true;        // title and artist at the top of the first page
    bool PageNumbers = true;  // the page number at the bottom of every page
    TTrackFilter Tracks = AllTracksShown;
};

// A page in logical units: the whole paper, and the printable area on it.
struct TPrintPage {
    QSize Paper;
    QRect Printable;
};

// The page a printer or PDF writer paints on, at its resolution of `dpi` dots per inch.
TPrintPage LogicalPage(const QPageLayout& layout, int dpi);

class TPrintSurfaceControl : public TTabView {
    Q_OBJECT
public:
    explicit TPrintSurfaceControl(const TTabFontSettings& fonts);

    // Lays `doc` out for `page` and returns the page count. The document is only read; it
    // must stay unchanged while the surface paints it and outlive the surface.
    int BuildLayout(TCustomTabDoc& doc, const TPrintOptions& options, const TPrintPage& page);
    int PageCount() const { return rows_.PageCount; }
    const TPrintPage& Page() const { return page_; }
    const std::vector<TRowInfo>& Rows() const { return rows_.Rows; }

    // Paints page `index` (0-based) on a printer whose painter's origin is the printable
    // area's corner and whose device has `dpi` dots per inch.
    void PrintPage(QPainter& p, int index, int dpi);
    // Paints page `index` with the whole paper scaled into `box` (device pixels).
    void PreviewPage(QPainter& p, int index, const QRect& box);

protected:
    // Snapped to whole device dots; lines are half a unit thick, at least one dot.
    void FillRect(QPainter& p, int left, int top, int right, int bottom, const QColor& color) override;
    void DrawLine(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color) override;

private:
    void MeasureTitleBlock(const TCustomTabDoc& doc);
    void PaintPage(QPainter& p, int index);
    void PaintTitleBlock(QPainter& p);
    void PaintPageNumber(QPainter& p, int index);

    QFont titleFont_;
    QFont artistFont_;
    QFont pageNumberFont_;
    TPrintOptions options_;
    TPrintPage page_;
    QString title_;
    QString artist_;
    int titleHeight_ = 0;
    int artistHeight_ = 0;
    int pageNumberArea_ = 0;
    TPrintRows rows_;
};

// A print job's pages painted through the surface on a printer or PDF writer, whose painter
// is open on it. The base never cancels; the window's printing adds the status dialog.
class TPagedTarget : public TPrintTarget {
public:
    TPagedTarget(TPrintSurfaceControl& surface, QPagedPaintDevice& device, QPainter& painter, int dpi)
        : surface_(surface), device_(device), painter_(painter), dpi_(dpi) {}

    bool BeforePage(const std::string&) override { return true; }
    void NewPage() override;
    void PaintPage(int page) override;

private:
    TPrintSurfaceControl& surface_;
    QPagedPaintDevice& device_;
    QPainter& painter_;
    int dpi_;
};

}  // namespace fretlo
