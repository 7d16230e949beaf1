// A picture of a song as the view shows it, ruler included, drawn off screen.
#pragma once

#include <QImage>

#include "view/ViewOptions.h"

namespace fretlo {

class TCustomTabDoc;

struct TTabImageOptions {
    int Width = 1600;  // pixels of the picture
    int Height = 0;    // pixels; 0 = ruler and all tracks
    int FirstBar = 0;  // 0-based bar scrolled to the left edge
    double Scale = 1;  // device pixel ratio: everything is drawn this many times larger
    TViewOptions View;
};

// Needs a QApplication. The document is only read.
QImage RenderTabImage(TCustomTabDoc& doc, const TTabImageOptions& options);

}  // namespace fretlo
