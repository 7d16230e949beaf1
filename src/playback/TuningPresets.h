// The preset tunings that come with the program, per instrument kind (strings, variant),
// written to the settings store the first time a kind's presets are loaded.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace fretlo {

struct TTuningPreset {
    int StringCount;
    int Variant;
    std::string_view Name;
    std::array<uint8_t, 7> Notes;  // absolute keys, string 0 (the lowest) first
    bool IsDefault;
    bool ShowNumbers;  // show key numbers instead of note names
};

// Every built-in preset, grouped by kind in the order the kinds are offered.
std::span<const TTuningPreset> BuiltInTunings();

}  // namespace fretlo
