#include "document/SpaceTiming.h"

namespace fretlo {

int32_t ComputeSpaceStarts(const TSpace* spaces, int count, int32_t unit, int32_t* starts) {
    // An unfinished group of a ratio region is rounded up to a whole space when the ratio changes.
    int32_t base = 0;
    int acc = 0;
    int prevDen = 1;
    for (int i = 0; i < count; ++i) {
        const int num = spaces[i].RatioNum;
        const int den = spaces[i].RatioDen;
        if (acc != 0 && den != prevDen) {
            base += unit;
            acc = 0;
        }
        prevDen = den;
        starts[i] = acc * unit / den + base;
        acc += num;
        if (acc >= den) {
            acc -= den;
            base += unit;
        }
    }
    return acc * unit / prevDen + base;
}

} // namespace fretlo
