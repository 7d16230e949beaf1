#include "document/SpaceRecord.h"

#include <cstring>

namespace fretlo {

void WriteSpaceRecord(const TSpace& space, uint8_t* out) {
    std::memcpy(out, space.Notes, StringSlots);
    std::memcpy(out + 8, space.Effects, StringSlots);
    std::memset(out + 16, 0, 4);
    out[20] = space.TopText;
    out[21] = space.BottomText;
    out[22] = space.RatioNum;
    out[23] = space.RatioDen;
}

void ReadSpaceRecord(const uint8_t* in, TSpace& space) {
    std::memcpy(space.Notes, in, StringSlots);
    std::memcpy(space.Effects, in + 8, StringSlots);
    space.TopText = in[20];
    space.BottomText = in[21];
    space.RatioNum = in[22];
    space.RatioDen = in[23];
}

}  // namespace fretlo
