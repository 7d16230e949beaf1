#include "view/PrintPdf.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "document/SongText.h"
#include "document/TabDoc.h"

namespace fretlo {

QByteArray PrintToPdf(TCustomTabDoc& doc, const TPrintOptions& options, const TTabFontSettings& fonts,
                      const QPageLayout& layout) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(1200);
    writer.setPageLayout(layout);
    writer.setCreator("Fretlo");
    writer.setTitle(QString::fromStdString(SongTextUtf8(doc.Title)));
    TPrintSurfaceControl surface(fonts);
    const int pages = surface.BuildLayout(doc, options, LogicalPage(writer.pageLayout(), writer.resolution()));
    QPainter painter(&writer);
    TPagedTarget target(surface, writer, painter, writer.resolution());
    RunPrintJob(TPrintJob{1, pages, 1, true}, target);
    painter.end();
    surface.SetDocument(nullptr);
    return pdf.data();
}

}  // namespace fretlo
