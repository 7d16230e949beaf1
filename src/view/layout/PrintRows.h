// The printed song: the one long row of the screen layout cut into rows that fit the page
// width, and the rows stacked into pages. All lengths are logical units (96 per inch).
#pragma once

#include "view/layout/TabLayout.h"

#include <cstdint>
#include <vector>

namespace fretlo {

// One printed row, in layout order.
struct TRowInfo {
    int Page;           // 0-based page it is printed on
    int Top;            // y of its top, from the top of the page's printable area
    int32_t StartTime;  // song time of its first column
    int32_t EndTime;    // where the next row starts; the last row: the end of the last printed bar
    int XOffset;        // song x - 1 of its first column or bar: the view's scroll offset for it
    int EndX;           // song x of its last pixel: its string lines end there
    int Height;         // every printed track's band with its two margins
};

// Where rows may go on a page.
struct TPageArea {
    int Width;         // the printable width
    int Height;        // the printable height less the page-number area
    int FirstPageTop;  // room the title block takes at the top of the first page
};

struct TPrintRows {
    std::vector<TRowInfo> Rows;
    int PageCount = 1;
};

// Breaks rows at completed bars; a bar wider than the page alone is split before its latest
// column that still fits. Staff-break flags play no part. The first row of a page is placed
// even when taller than the page. `layout` holds the document with the printed tracks shown.
TPrintRows LayOutRows(TTabLayout& layout, const TPageArea& area);

}  // namespace fretlo
