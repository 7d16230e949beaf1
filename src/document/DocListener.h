// What a view attached to a song document is told.
#pragma once

namespace fretlo {

enum TBarsChange { bcInserted = 0, bcDeleting = 1, bcClearing = 2 };

class TDocListener {
public:
    virtual ~TDocListener() = default;
    // After a bar was inserted at barIndex, before one is deleted, or before all are cleared (-1).
    virtual void BarsChanged(TBarsChange change, int barIndex) = 0;
    // After New and after Load, once the document is complete.
    virtual void DocumentReplaced() = 0;
};

}  // namespace fretlo
