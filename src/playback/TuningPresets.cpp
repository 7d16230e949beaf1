#include "playback/TuningPresets.h"

namespace fretlo {

namespace {
constexpr TTuningPreset Presets[] = {
    {4, 0, "(Standard)", {28, 33, 38, 43}, true, false},
    {4, 0, "Dropped D", {26, 33, 38, 43}, false, false},
    {4, 0, "Open A", {28, 33, 40, 45}, false, false},
    {4, 0, "Open C", {24, 31, 36, 43}, false, false},
    {4, 0, "Open D", {26, 33, 38, 42}, false, false},
    {4, 0, "Open E", {28, 35, 40, 44}, false, false},
    {4, 0, "Open G", {26, 31, 38, 43}, false, false},
    {5, 0, "(Standard)", {23, 28, 33, 38, 43}, true, false},
    {5, 1, "G Tuning", {67, 50, 55, 59, 62}, true, false},
    {5, 1, "C Tuning", {67, 48, 55, 59, 62}, false, false},
    {5, 1, "D Tuning", {66, 50, 54, 57, 62}, false, false},
    {6, 0, "(Standard)", {40, 45, 50, 55, 59, 64}, true, false},
    {6, 0, "Dropped D", {38, 45, 50, 55, 59, 64}, false, false},
    {6, 0, "Open A", {40, 45, 52, 57, 61, 64}, false, false},
    {6, 0, "Open C", {36, 43, 48, 55, 60, 64}, false, false},
    {6, 0, "Open D", {38, 45, 50, 54, 57, 62}, false, false},
    {6, 0, "Open E", {40, 47, 52, 56, 59, 64}, false, false},
    {6, 0, "Open G", {38, 43, 50, 55, 59, 62}, false, false},
    {6, 1, "All 0", {0, 0, 0, 0, 0, 0}, false, true},
    {6, 1, "All 35", {35, 35, 35, 35, 35, 35}, false, true},
    {6, 1, "Bass/Snare/Closed HH/Open HH/Stick/Crash", {35, 38, 42, 46, 37, 49}, true, true},
    {7, 0, "(Standard)", {35, 40, 45, 50, 55, 59, 64}, false, false},
};
}  // namespace

std::span<const TTuningPreset> BuiltInTunings() { return Presets; }

}  // namespace fretlo
