// The bar primitives: every change of the bar list goes through these.
#include <algorithm>
#include <cstring>

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "document/UndoRecords.h"

namespace fretlo {

namespace {
bool Aligned(int32_t t) { return t % UnitsPerSpace == 0; }
}  // namespace

void TCustomTabDoc::SetBarCount(int count) {
    bars_.SetCount(count);
    barCount_ = count;
}

void TCustomTabDoc::InsertBarRecord(int index, const TBar& bar) {
    SetBarCount(barCount_ + 1);
    TBar* b = bars_.Data();
    std::memmove(b + index + 1, b + index, sizeof(TBar) * static_cast<size_t>(barCount_ - 1 - index));
    b[index] = bar;
}

void TCustomTabDoc::RemoveBarRecord(int index) {
    TBar* b = bars_.Data();
    std::memmove(b + index, b + index + 1, sizeof(TBar) * static_cast<size_t>(barCount_ - 1 - index));
    SetBarCount(barCount_ - 1);
}

int TCustomTabDoc::CreateBar(int32_t start, int32_t length, bool undoable) {
    Check(start >= 0 && length >= 1 && Aligned(start) && Aligned(length), "bar start or length not aligned");
    int i;
    if (FindBar(start, i)) return i;
    int32_t end;
    if (i == barCount_) {
        const int32_t songEnd = SongLength();
        if (barCount_ > 0 && songEnd > start) {
            end = songEnd;
        } else {
            Check(start == songEnd, "new last bar must start at the song's end");
            end = start + length;
        }
    } else {
        end = bars_[i].Start;
    }
    const bool split = i > 0 && start < bars_[i - 1].End;
    if (barCount_ >= MaxBars)
        throw EFretloError(Format("Could not create the bar because it would cause the total number of "
                                  "bars to exceed %d, the maximum Fretlo can handle",
                                  MaxBars));
    if (undoable) AddUndoRecord(EncodeCreatedBar({start, split}));

    TBar bar{start, end, 0, 0, 0, 0};
    if (i > 0) {
        TBar& prev = bars_[i - 1];
        if (split) {
            // The repeat still closes where the undivided bar ended.
            bar.RepeatEnd = prev.RepeatEnd;
            bar.RepeatCount = prev.RepeatCount;
            prev.RepeatEnd = 0;
            prev.RepeatCount = 0;
        }
        prev.End = start;
    }
    InsertBarRecord(i, bar);
    NotifyBarsChanged(bcInserted, i);
    return i;
}

void TCustomTabDoc::DeleteBar(int index, bool merge) {
    Check(index >= 0 && index < barCount_, "bar index out of range");
    NotifyBarsChanged(bcDeleting, index);
    const TBar gone = bars_[index];
    const bool last = index == barCount_ - 1;
    if (index > 0) {
        TBar& prev = bars_[index - 1];
        if (merge) {
            prev.End = gone.End;
            prev.RepeatEnd = gone.RepeatEnd;
            prev.RepeatCount = gone.RepeatCount;
        } else if (!last) {
            prev.End = gone.End;
        }
    }
    RemoveBarRecord(index);
    if (index == 0 && barCount_ > 0) {
        // The song always starts at time 0: the new first bar takes over the span.
        bars_[0].Start = 0;
    }
}

void TCustomTabDoc::DeleteBarUndoable(int index, bool merge) {
    Check(index >= 0 && index < barCount_, "bar index out of range");
    const TBar& bar = bars_[index];
    const TBar& flagsFrom = (merge && index > 0) ? bars_[index - 1] : bar;
    AddUndoRecord(EncodeDeletedBar({bar.Start, bar.End, merge, flagsFrom.RepeatEnd, flagsFrom.RepeatCount,
                                    bar.StaffBreak, bar.RepeatStart}));
    DeleteBar(index, merge);
}

void TCustomTabDoc::DeleteBarAt(int32_t time, bool merge) {
    int index;
    if (FindBar(time, index)) DeleteBar(index, merge);
}

void TCustomTabDoc::ClearBars() {
    NotifyBarsChanged(bcClearing, -1);
    SetBarCount(0);
}

void TCustomTabDoc::ShiftBars(int index, int32_t delta) {
    Check(index >= 0 && index < barCount_, "bar index out of range");
    Check(Aligned(delta), "bar shift not aligned");
    bars_[index].End += delta;
    for (int i = index + 1; i < barCount_; ++i) {
        bars_[i].Start += delta;
        bars_[i].End += delta;
    }
}

void TCustomTabDoc::LayOutBars(bool undoable, int32_t start, int barSpaces, int32_t end) {
    int32_t pos = start;
    while (pos < end) {
        const int32_t next =
            barSpaces > 0 ? std::min<int64_t>(end, int64_t(pos) + int64_t(barSpaces) * UnitsPerSpace) : end;
        int idx = CreateBar(pos, next - pos, undoable);
        // Plain bar lines inside the new bar go; those with a repeat sign or staff break stay.
        while (idx < barCount_ - 1 && bars_[idx + 1].Start < next) {
            if (!bars_[idx].RepeatEnd && !bars_[idx + 1].StaffBreak && !bars_[idx + 1].RepeatStart) {
                if (undoable)
                    DeleteBarUndoable(idx + 1, true);
                else
                    DeleteBar(idx + 1, true);
            } else {
                ++idx;
            }
        }
        pos = next;
    }
}

}  // namespace fretlo
