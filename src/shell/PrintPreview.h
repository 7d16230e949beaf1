// TPrintPreviewForm: the program's own preview of the printed pages, painted by the print
// surface, page by page, with zoom.
#pragma once

#include <QDialog>
#include <QSize>

class QPushButton;
class QScrollArea;

namespace fretlo {

class TPrintSurfaceControl;

// The page's size in a preview area: the area less 8 pixels on every side, fitted to the
// paper's shape, then times (zoom + 2) / 2 for zoom levels 0 (1x) to 5 (3.5x).
QSize PreviewPageSize(const QSize& area, const QSize& paper, int zoom);

class TPrintPreviewForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxZoom = 5;

    // Shows the pages of `surface`, laid out for the printer. exec() returns Accepted when
    // "&Print..." was pressed.
    TPrintPreviewForm(QWidget* parent, TPrintSurfaceControl& surface);

    int CurrentPage() const { return page_; }
    int Zoom() const { return zoom_; }
    // The page's rectangle on the scrolled area.
    QRect PageRect() const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void ShowPage(int page);
    void SetZoom(int zoom);
    void UpdatePaper();

    TPrintSurfaceControl& surface_;
    int page_ = 0;
    int zoom_ = 0;
    QScrollArea* area_;
    QWidget* paper_;
    QPushButton* next_;
    QPushButton* previous_;
    QPushButton* zoomIn_;
    QPushButton* zoomOut_;
};

}  // namespace fretlo
