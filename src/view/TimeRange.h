// A stretch of song time: from Start up to, not including, End.
#pragma once

#include <cstdint>

namespace fretlo {

struct TTimeRange {
    int32_t Start = 0;
    int32_t End = 0;

    bool operator==(const TTimeRange&) const = default;
};

}  // namespace fretlo
