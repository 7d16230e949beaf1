#include "shell/PrintPreview.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "base/MulDiv.h"
#include "view/PrintSurface.h"

namespace fretlo {

namespace {

constexpr int Gap = 8;     // pixels at least around the page, its shadow included
constexpr int Shadow = 2;  // the page's shadow, right and below

// The workspace with the page on it, centred, and its shadow.
class TPreviewPaper : public QWidget {
public:
    TPreviewPaper(TPrintPreviewForm& form, TPrintSurfaceControl& surface) : form_(form), surface_(surface) {
        setBackgroundRole(QPalette::Dark);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect page = form_.PageRect();
        p.fillRect(page.translated(Shadow, Shadow), palette().color(QPalette::Shadow));
        p.fillRect(page, Qt::white);
        surface_.PreviewPage(p, form_.CurrentPage(), page);
    }

private:
    TPrintPreviewForm& form_;
    TPrintSurfaceControl& surface_;
};

}  // namespace

QSize PreviewPageSize(const QSize& area, const QSize& paper, int zoom) {
    QSize fitted = paper.scaled((area - QSize(2 * Gap, 2 * Gap)).expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    fitted = fitted.expandedTo(QSize(1, 1));
    return QSize(MulDiv(fitted.width(), zoom + 2, 2), MulDiv(fitted.height(), zoom + 2, 2));
}

TPrintPreviewForm::TPrintPreviewForm(QWidget* parent, TPrintSurfaceControl& surface)
    : QDialog(parent), surface_(surface), area_(new QScrollArea(this)),
      paper_(new TPreviewPaper(*this, surface)), next_(new QPushButton("&Next Page >", this)),
      previous_(new QPushButton("< Pre&v. Page", this)), zoomIn_(new QPushButton("Zoom &In", this)),
      zoomOut_(new QPushButton("Zoom &Out", this)) {
    setWindowTitle("Print Preview");
    auto* print = new QPushButton("&Print...", this);
    auto* close = new QPushButton("Close", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {print, previous_, next_, zoomIn_, zoomOut_, close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(next_, &QPushButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(previous_, &QPushButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(zoomIn_, &QPushButton::clicked, this, [this] { SetZoom(zoom_ + 1); });
    connect(zoomOut_, &QPushButton::clicked, this, [this] { SetZoom(zoom_ - 1); });
    area_->setBackgroundRole(QPalette::Dark);
    area_->setAlignment(Qt::AlignCenter);
    area_->setWidget(paper_);
    auto* box = new QVBoxLayout(this);
    box->addLayout(buttons);
    box->addWidget(area_, 1);
    resize(parent ? parent->size() : QSize(800, 900));
    ShowPage(0);
    SetZoom(0);
}

QRect TPrintPreviewForm::PageRect() const {
    const QSize page = PreviewPageSize(area_->maximumViewportSize(), surface_.Page().Paper, zoom_);
    const QSize room = paper_->size();
    return QRect(QPoint((room.width() - page.width()) / 2, (room.height() - page.height()) / 2), page);
}

void TPrintPreviewForm::ShowPage(int page) {
    page_ = std::clamp(page, 0, surface_.PageCount() - 1);
    next_->setEnabled(page_ + 1 < surface_.PageCount());
    previous_->setEnabled(page_ > 0);
    paper_->update();
}

void TPrintPreviewForm::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, 0, MaxZoom);
    zoomIn_->setEnabled(zoom_ < MaxZoom);
    zoomOut_->setEnabled(zoom_ > 0);
    UpdatePaper();
    area_->horizontalScrollBar()->setValue(0);
    area_->verticalScrollBar()->setValue(0);
}

// The workspace fills the view, or more when the zoomed page with its gaps needs it. A scroll
// bar that the page needs in one direction takes its room from the other, or that bar alone
// would make the workspace too big for the view there too.
void TPrintPreviewForm::UpdatePaper() {
    const QSize view = area_->maximumViewportSize();
    const QSize needed = PreviewPageSize(view, surface_.Page().Paper, zoom_) + QSize(2 * Gap, 2 * Gap);
    QSize fill = view;
    if (needed.height() > fill.height()) fill.rwidth() -= area_->verticalScrollBar()->sizeHint().width();
    if (needed.width() > fill.width()) fill.rheight() -= area_->horizontalScrollBar()->sizeHint().height();
    if (needed.height() > fill.height() && fill.width() == view.width())
        fill.rwidth() -= area_->verticalScrollBar()->sizeHint().width();
    paper_->resize(fill.expandedTo(needed));
    paper_->update();
}

void TPrintPreviewForm::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    UpdatePaper();
}

}  // namespace fretlo
