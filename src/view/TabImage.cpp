#include "view/TabImage.h"

#include <QCoreApplication>
#include <cmath>

#include "document/TabDoc.h"
#include "view/TabView.h"

namespace fretlo {

namespace {

int Logical(int pixels, double scale) { return static_cast<int>(std::ceil(pixels / scale)); }

}  // namespace

QImage RenderTabImage(TCustomTabDoc& doc, const TTabImageOptions& options) {
    auto* view = new TTabView;
    TTabContainer container(view);
    container.setAttribute(Qt::WA_DontShowOnScreen);
    container.Scroller()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    container.Scroller()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->SetColors(StandardScheme);
    view->SetOptions(options.View);
    view->SetDocument(&doc);
    const int frame = 2 * container.frameWidth();
    const int width = Logical(options.Width, options.Scale);
    const int height = options.Height > 0 ? Logical(options.Height, options.Scale)
                                          : frame + TTabRulerParent::RulerHeight + view->Layout().Height();
    container.resize(width, height);
    container.show();
    QCoreApplication::processEvents();
    if (doc.BarCount() > 0) {
        const int bar = std::clamp(options.FirstBar, 0, doc.BarCount() - 1);
        view->ScrollTo(view->Layout().BarX(bar) - view->Metrics().TuningColumnWidth);
    }
    QCoreApplication::processEvents();
    const int pixelsHigh =
        options.Height > 0 ? options.Height : static_cast<int>(std::ceil(height * options.Scale));
    QImage image(options.Width, pixelsHigh, QImage::Format_RGB32);
    image.setDevicePixelRatio(options.Scale);
    image.fill(Qt::white);
    container.render(&image);
    view->SetDocument(nullptr);
    return image;
}

}  // namespace fretlo
