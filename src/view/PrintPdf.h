// The printed pages of a song as a PDF file, without a printer or a display.
#pragma once

#include <QByteArray>

#include "view/PrintSurface.h"

class QPageLayout;

namespace fretlo {

// Every page, laid out and painted as a printer gets them, at 1200 dots per inch. Needs a
// QApplication; the document is only read.
QByteArray PrintToPdf(TCustomTabDoc& doc, const TPrintOptions& options, const TTabFontSettings& fonts,
                      const QPageLayout& layout);

}  // namespace fretlo
