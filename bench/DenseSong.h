// A song that keeps the drawing busy, for the view and print benchmarks.
#pragma once

#include <memory>

#include "document/TabDoc.h"

namespace fretlo::bench {

// `tracks` tracks of `spaces` spaces in bars of 16, a note in every space, an effect,
// a two-digit fret and a triplet now and then.
std::unique_ptr<TCustomTabDoc> DenseSong(int tracks, int spaces);

}  // namespace fretlo::bench
