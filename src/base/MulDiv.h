// a * b / c rounded to the nearest whole number, without overflow in the product: scaling
// between logical units and device dots.
#pragma once

#include <cstdint>

namespace fretlo {

inline int MulDiv(int a, int b, int c) { return static_cast<int>((int64_t(a) * b + c / 2) / c); }

}  // namespace fretlo
