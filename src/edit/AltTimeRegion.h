// Alternate-time regions: runs of spaces of one track played at a ratio other than 1/1
// (tuplets, doubled speed). Creating one adds the spaces it needs and spreads the notes so
// that every note on a plain-space boundary stays on one; removing one does the reverse.
// Each change is one undo step "Alternate-Time Region".
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "edit/EditDocument.h"

namespace fretlo {

// The selected spaces a new region is made of.
struct TRegionToCreate {
    int Track = 0;
    int First = 0;
    int Count = 0;
};

// The region around the cursor and its part under the cursor (whose ends fall on plain-space
// boundaries): first and last spaces of each, and the time ranges they cover.
struct TRegionToRemove {
    int Track = 0;
    int PartFirst = 0, PartLast = 0;
    int RegionFirst = 0, RegionLast = 0;
    int32_t PartStart = 0, PartEnd = 0;
    int32_t RegionStart = 0, RegionEnd = 0;
};

// What the command does at the cursor: create from the selection, remove the region the
// cursor is in (the selection is cleared then), or nothing after a refusal it has shown.
// Playback stops first.
using TAltTimeRequest = std::variant<std::monostate, TRegionToCreate, TRegionToRemove>;
TAltTimeRequest FindAltTimeRequest(TEditDocument& doc);

// The create dialog's check of its two numbers ("fit `first` spaces into every `second`"), in
// the order the user meets the refusals: a ratio that can be reduced is offered reduced first.
struct TRatioCheck {
    enum class TKind { Accept, Refuse, Reduce };
    enum class TField { First, Second };
    TKind Kind = TKind::Accept;
    std::string Text;  // the refusal, or the question before reducing
    TField Field = TField::First;
    int First = 0, Second = 0;  // the numbers accepted, or reduced
};
TRatioCheck CheckRatio(std::string_view first, std::string_view second, int count, bool triplet);

// Makes the spaces a region fitting `den` spaces into every `num` plain ones (Count is a
// multiple of num, den > num). Refused, without a change, when the track would pass 32000
// spaces; false then.
bool CreateAltTimeRegion(TEditDocument& doc, const TRegionToCreate& region, int num, int den);

// Removes the whole region or only the part under the cursor.
void RemoveAltTimeRegion(TEditDocument& doc, const TRegionToRemove& region, bool entire);

}  // namespace fretlo
