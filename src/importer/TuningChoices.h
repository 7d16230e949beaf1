// The tunings offered for a kind of track: its built-in presets, named with their notes, so
// that an import gives the same song on every machine.
#pragma once

#include <string>
#include <vector>

#include "import/PartChoice.h"

namespace fretlo {

struct TTuningChoice {
    std::string Caption;  // "Dropped D (D2 A2 D3 G3 B3 E4)"
    TTuningKeys Keys;
};

std::vector<TTuningChoice> TuningChoices(int kind);
// The index of `keys` among the choices, -1 when the user's tuning is none of them.
int FindTuning(const std::vector<TTuningChoice>& choices, const TTuningKeys& keys);

}  // namespace fretlo
