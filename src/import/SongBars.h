// The bars of an imported song, laid from the file's time signatures.
#pragma once

#include <span>
#include <vector>

#include "import/MidiSong.h"

namespace fretlo {

struct TBarSpan {
    int FirstCell;  // first plain space
    int Cells;      // plain spaces in the bar
};

// Bars over at least `cells` plain spaces and at most `limit`: 4/4 until the first time
// signature, each signature from the plain space nearest to it; a signature in the middle
// of a bar ends that bar early. A beat shorter than a sixteenth rounds to whole sixteenths.
std::vector<TBarSpan> LayBars(std::span<const TMidiMeter> meters, int division, int cells, int limit);

}  // namespace fretlo
