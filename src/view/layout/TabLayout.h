// TTabLayout: the layout cache of a tablature view. Bars are laid out lazily, one at a
// time, and invalidated one at a time when the document changes.
#pragma once

#include "document/DocListener.h"
#include "document/Limits.h"
#include "document/VirtualMemory.h"
#include "view/layout/LayoutRecords.h"
#include "view/layout/TrackBands.h"
#include "view/layout/ViewMetrics.h"

#include <array>
#include <functional>
#include <memory>
#include <utility>

namespace fretlo {

class TCustomTabDoc;

class TTabLayout : public TDocListener {
public:
    TTabLayout();
    ~TTabLayout() override;
    TTabLayout(const TTabLayout&) = delete;
    TTabLayout& operator=(const TTabLayout&) = delete;

    // Called after bars were invalidated (to post one repaint) and after the total
    // width was recomputed (to update the scroll bars).
    std::function<void()> OnInvalidated;
    std::function<void()> OnTotalWidthChanged;
    // Called when laying out has taken SlowLayoutMs so far (to show a busy cursor), and
    // then once more with false when it ends.
    std::function<void(bool)> OnSlowLayout;
    static constexpr int SlowLayoutMs = 50;

    // --- Inputs -------------------------------------------------------------
    // Attaches a document (which must outlive the attachment) and lays it out anew.
    void SetDocument(TCustomTabDoc* doc);
    TCustomTabDoc* Document() const { return doc_; }
    void SetMetrics(const TTabMetrics& metrics);
    const TTabMetrics& Metrics() const { return metrics_; }
    // Printing hides tracks; the screen shows all.
    void SetTrackFilter(const TTrackFilter& shown);
    bool TrackShown(int track) const;

    // --- Vertical layout ----------------------------------------------------
    // Again after any change of track count, string count or text-line flags.
    void LayOutVertically();
    int Height() const { return height_; }
    const TTrackBand& Band(int track) const { return bands_[track]; }
    // The first and last shown track, or -1 when none is shown.
    int FirstShownTrack() const;
    int LastShownTrack() const;

    // --- Invalidation -------------------------------------------------------
    void InvalidateBar(int bar);
    void InvalidateBarsFrom(int bar);
    void InvalidateAll();
    void InvalidateSpace(int track, int space);
    void InvalidateSpaces(int track, int first, int last);
    bool Dirty() const { return dirty_; }
    void ClearDirty() { dirty_ = false; }

    // --- Lazy layout --------------------------------------------------------
    // Lays out bars up to `bar`; with `visibleRight` (song x) bars starting at or right
    // of it stay invalid. Returns the bar's record.
    const TBarLayout& EnsureLaidOut(int bar, int visibleRight = -1);
    // Lays out every bar and recomputes the total width.
    void RecomputeTotalWidth();
    int TotalWidth() const { return totalWidth_; }
    int LaidOutUpTo() const { return laidOutUpTo_; }

    int BarCount() const { return bars_.Count(); }
    const TBarLayout& Bar(int bar) const { return bars_[bar]; }
    const TSpaceLayout& Space(int track, int space) const { return (*spaces_[track])[space]; }
    // Song x (before scrolling) of a bar and of a space; laid out on demand.
    int BarX(int bar);
    int SpaceX(int track, int space);
    // Leftmost x and rightmost x + width of the spaces of shown tracks starting at `time`.
    std::pair<int, int> ColumnExtent(int32_t time);

    // --- Document listener --------------------------------------------------
    void BarsChanged(TBarsChange change, int barIndex) override;
    void DocumentReplaced() override;

private:
    void SyncBarCount();
    void GrowSpaceTables();
    void LayOutOneBar(int bar);
    int FirstX() const { return metrics_.TuningColumnWidth; }

    TCustomTabDoc* doc_ = nullptr;
    TTabMetrics metrics_;
    TTrackFilter shown_ = AllTracksShown;
    std::array<TTrackBand, MaxTracks> bands_{};
    int height_ = 0;
    TVirtualArray<TBarLayout> bars_{MaxBars};
    std::array<std::unique_ptr<TVirtualArray<TSpaceLayout>>, MaxTracks> spaces_;
    int laidOutUpTo_ = 0;
    int totalWidth_ = 0;
    bool dirty_ = false;
};

}  // namespace fretlo
