// Chords on strings of their own, the hand kept in its position, open strings when that is
// equal, keys out of reach moved by octaves, and what cannot be placed counted.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "import/FretChooser.h"

using namespace fretlo;

namespace {

const TStringSet Guitar{6, {40, 45, 50, 55, 59, 64}, 24, false};
const TStringSet ShortNeck{6, {40, 45, 50, 55, 59, 64}, 12, false};
const TStringSet Drums{6, {35, 38, 42, 46, 37, 49}, 99, true};

struct TFretCase {
    const char* Name;
    const TStringSet& Strings;
    std::vector<std::vector<int>> Chords;
    const char* Frets;  // "string:fret" by string, chords parted by "|"
    const char* Lost;   // of all chords: moved, unreachable, no free string, same key
};

void PrintTo(const TFretCase& row, std::ostream* os) { *os << row.Name; }

class Frets : public ::testing::TestWithParam<TFretCase> {};

}  // namespace

TEST_P(Frets, ArePlayable) {
    const TFretCase& c = GetParam();
    TFretChooser chooser(c.Strings);
    std::string frets;
    int moved = 0, unreachable = 0, noString = 0, sameKey = 0;
    for (const auto& chord : c.Chords) {
        TChordPlacing p = chooser.Place(chord);
        std::sort(p.Placed.begin(), p.Placed.end(), [](auto a, auto b) { return a.String < b.String; });
        if (!frets.empty()) frets += " |";
        for (const TFretted& f : p.Placed)
            frets += " " + std::to_string(f.String) + ":" + std::to_string(f.Fret);
        moved += p.MovedByOctave;
        unreachable += p.Unreachable;
        noString += p.NoFreeString;
        sameKey += p.SameKey;
    }
    EXPECT_EQ(frets, c.Frets);
    EXPECT_EQ(std::to_string(moved) + " " + std::to_string(unreachable) + " " + std::to_string(noString) +
                  " " + std::to_string(sameKey),
              c.Lost);
}

INSTANTIATE_TEST_SUITE_P(
    Chords, Frets,
    ::testing::Values(
        TFretCase{"OpenChordShape", Guitar, {{48, 52, 55, 60, 64}}, " 1:3 2:2 3:0 4:1 5:0", "0 0 0 0"},
        TFretCase{"HandStaysInPosition", Guitar, {{71}, {67}, {62}}, " 5:7 | 4:8 | 3:7", "0 0 0 0"},
        TFretCase{"OpenStringWhenEqual", Guitar, {{69}, {50}}, " 5:5 | 2:0", "0 0 0 0"},
        TFretCase{"OctavesIntoRange", Guitar, {{30}, {100}}, " 0:2 | 5:24", "2 0 0 0"},
        TFretCase{"ShortNeckMovesHighKeysDown", ShortNeck, {{77}}, " 5:1", "1 0 0 0"},
        TFretCase{"MoreKeysThanStrings",
                  Guitar,
                  {{40, 45, 50, 55, 59, 64, 67, 69}},
                  " 0:0 1:10 2:9 3:12 4:10 5:0",
                  "0 0 2 0"},
        TFretCase{"TwoKeysForOneString", Guitar, {{40, 41}}, " 0:0", "0 0 1 0"},
        TFretCase{"SameKeyTwice", Guitar, {{52, 52}}, " 2:2", "0 0 0 1"},
        TFretCase{
            "DrumKeysOnTheirStrings", Drums, {{36, 38, 42, 51}, {30}}, " 0:1 1:0 2:0 5:2 |", "0 1 0 0"}),
    [](const auto& info) { return info.param.Name; });
