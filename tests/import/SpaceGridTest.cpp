// Sixteenths stay sixteenths; triplet groups and thirty-seconds are laid only where the notes
// fit them better, never across a bar line.
#include <gtest/gtest.h>

#include "import/SpaceGrid.h"

using namespace fretlo;

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

void PrintTo(const TGridCase& row, std::ostream* os) { *os << row.Name; }

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
        TGridCase{"Sixteenths", {0, 24, 48, 72}, {}, 4, "pppp", {0, 1, 2, 3}},
        TGridCase{"LooselyPlayed", {0, 27, 45, 75}, {}, 4, "pppp", {0, 1, 2, 3}},
        TGridCase{"EighthTriplets", {0, 32, 64}, {}, 4, "tt", {0, 2, 4}},
        TGridCase{"TripletOffTheBeat", {24, 40, 56}, {}, 4, "ptp", {1, 2, 3}},
        TGridCase{"TripletWouldCrossABar", {0, 16, 32}, {}, 1, "pppp", {0, 1, 1}},
        TGridCase{"TripletsSwitchedOff", {0, 32, 64}, {false, false}, 4, "pppp", {0, 1, 3}},
        TGridCase{"ThirtySeconds", {0, 12, 24, 36, 48}, {true, true}, 4, "ddpp", {0, 1, 2, 3, 4}},
        TGridCase{"ThirtySecondsOnPlainSpaces", {0, 12, 24, 36}, {false, false}, 4, "pppp", {0, 0, 1, 1}}),
    [](const auto& info) { return info.param.Name; });
