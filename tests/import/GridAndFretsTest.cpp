// Where the notes of a file go. In time: sixteenths stay sixteenths; triplet groups and
// thirty-seconds are laid only where the notes fit them better, never across a bar line. On the
// strings: chords on strings of their own, the hand kept in its position, open strings when
// that is equal, keys out of reach moved by octaves, and what cannot be placed counted.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ParamName.h"
#include "base/Errors.h"
#include "import/FretChooser.h"
#include "import/SpaceGrid.h"

using namespace fretlo;
using fretlo::test::PrintedName;

namespace {

constexpr int Division = 96;  // a sixteenth is 24 ticks

struct TGridCase {
    const char* Name;
    std::vector<int64_t> Ticks;
    TGridOptions Options;
    int BarCells;             // bars of this many sixteenths over four
    const char* Groups;       // p plain, t triplet, d thirty-seconds
    std::vector<int> Spaces;  // of the notes
};

[[maybe_unused]] void PrintTo(const TGridCase& row, std::ostream* os) { *os << row.Name; }

class Grid : public ::testing::TestWithParam<TGridCase> {};

}  // namespace

TEST_P(Grid, LaysGroupsAndPlacesNotes) {
    const TGridCase& c = GetParam();
    std::vector<bool> barStarts(5);
    for (int cell = 0; cell <= 4; cell += c.BarCells) barStarts[cell] = true;
    std::vector<int64_t> positions;
    for (const int64_t t : c.Ticks) positions.push_back(t * FinePerTick);
    const TSpaceGrid grid(Division, barStarts, positions, c.Options);
    std::string groups;
    for (const TGridGroup& g : grid.Groups())
        groups += g.Kind == TGroupKind::Plain ? 'p' : g.Kind == TGroupKind::Triplet ? 't' : 'd';
    EXPECT_EQ(groups, c.Groups);
    std::vector<int> spaces;
    for (const int64_t p : positions) spaces.push_back(grid.Place(p).Space);
    EXPECT_EQ(spaces, c.Spaces);
}

INSTANTIATE_TEST_SUITE_P(
    Notes, Grid,
    ::testing::Values(
        TGridCase{"LooselyPlayed", {0, 27, 45, 75}, {}, 4, "pppp", {0, 1, 2, 3}},
        TGridCase{"EighthTriplets", {0, 32, 64}, {}, 4, "tt", {0, 2, 4}},
        TGridCase{"TripletOffTheBeat", {24, 40, 56}, {}, 4, "ptp", {1, 2, 3}},
        TGridCase{"TripletWouldCrossABar", {0, 16, 32}, {}, 1, "pppp", {0, 1, 1}},
        TGridCase{"TripletsSwitchedOff", {0, 32, 64}, {false, false}, 4, "pppp", {0, 1, 3}},
        TGridCase{"ThirtySeconds", {0, 12, 24, 36, 48}, {true, true}, 4, "ddpp", {0, 1, 2, 3, 4}},
        TGridCase{"ThirtySecondsOnPlainSpaces", {0, 12, 24, 36}, {false, false}, 4, "pppp", {0, 0, 1, 1}}),
    PrintedName());

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

[[maybe_unused]] void PrintTo(const TFretCase& row, std::ostream* os) { *os << row.Name; }

class Frets : public ::testing::TestWithParam<TFretCase> {};

}  // namespace

TEST_P(Frets, ArePlayable) {
    const TFretCase& c = GetParam();
    TFretChooser chooser(c.Strings);
    std::string frets;
    int lost[4] = {};
    for (const auto& chord : c.Chords) {
        TChordPlacing p = chooser.Place(chord);
        std::sort(p.Placed.begin(), p.Placed.end(), [](auto a, auto b) { return a.String < b.String; });
        if (!frets.empty()) frets += " |";
        for (const TFretted& f : p.Placed)
            frets += " " + std::to_string(f.String) + ":" + std::to_string(f.Fret);
        for (int i = 0; const int n : {p.MovedByOctave, p.Unreachable, p.NoFreeString, p.SameKey})
            lost[i++] += n;
    }
    EXPECT_EQ(frets, c.Frets);
    EXPECT_EQ(Format("%d %d %d %d", lost[0], lost[1], lost[2], lost[3]), c.Lost);
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
    PrintedName());
