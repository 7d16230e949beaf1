#include "document/Space.h"

#include <algorithm>
#include <iterator>

#include "document/TrackProps.h"

namespace fretlo {

bool IsEmptySpace(const TSpace& space, bool requirePlainRatio) {
    const auto zero = [](uint8_t b) { return b == 0; };
    return std::all_of(std::begin(space.Notes), std::end(space.Notes), zero) &&
           std::all_of(std::begin(space.Effects), std::end(space.Effects), zero) && space.Props == nullptr &&
           space.TopText == 0 && space.BottomText == 0 &&
           (!requirePlainRatio || HasPlainRatio(space));
}

void ClearSpace(TSpace& space) {
    std::fill(std::begin(space.Notes), std::end(space.Notes), 0);
    std::fill(std::begin(space.Effects), std::end(space.Effects), 0);
    space.TopText = 0;
    space.BottomText = 0;
    ClearProps(space);
}

}  // namespace fretlo
