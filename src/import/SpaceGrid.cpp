#include "import/SpaceGrid.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "base/Errors.h"

namespace fretlo {

namespace {

// What a triplet or thirty-second group must save over plain spaces before it is chosen: a
// fifth of a sixteenth per group, so that loosely played straight notes stay straight.
constexpr int64_t GroupPenaltyPerCell = 5;

// Index of the nearest grid point at multiples of `step` (ties to the earlier one).
int64_t Nearest(int64_t offset, int64_t step) {
    const int64_t k = offset / step;
    return offset - k * step > (k + 1) * step - offset ? k + 1 : k;
}

}  // namespace

int GroupSpaces(TGroupKind kind) {
    switch (kind) {
    case TGroupKind::ThirtySeconds: return 2;
    case TGroupKind::Triplet: return 3;
    default: return 1;
    }
}

int GroupCells(TGroupKind kind) { return kind == TGroupKind::Triplet ? 2 : 1; }

TSpaceGrid::TSpaceGrid(int division, const std::vector<bool>& barStarts, std::span<const int64_t> positions,
                       TGridOptions options)
    : division_(division) {
    Check(division > 0 && barStarts.size() >= 2, "an empty space grid");
    Choose(barStarts, positions, options);
}

int64_t TSpaceGrid::Step(TGroupKind kind) const {
    switch (kind) {
    case TGroupKind::ThirtySeconds: return 3 * division_;
    case TGroupKind::Triplet: return 4 * division_;
    default: return CellLength();
    }
}

int64_t TSpaceGrid::GroupError(std::span<const int64_t> positions, int cell, TGroupKind kind) const {
    const int64_t start = cell * CellLength();
    const int64_t step = Step(kind);
    int64_t error = 0;
    for (const int64_t p : positions) {
        const int64_t offset = p - start;
        error += std::abs(offset - Nearest(offset, step) * step);
    }
    return error;
}

// The cheapest row of groups over all plain spaces, by dynamic programming from the start:
// cost[c] is the least summed error (plus group penalties) of covering the first c spaces.
// Plain spaces win ties, so a group is laid only where it brings the notes closer.
void TSpaceGrid::Choose(const std::vector<bool>& barStarts, std::span<const int64_t> positions,
                        TGridOptions options) {
    const int cells = static_cast<int>(barStarts.size()) - 1;
    std::vector<size_t> first(static_cast<size_t>(cells) + 1);
    for (int c = 0; c <= cells; ++c)
        first[c] = static_cast<size_t>(
            std::lower_bound(positions.begin(), positions.end(), c * CellLength()) - positions.begin());
    const auto notesIn = [&](int cell, int count) {
        return positions.subspan(first[cell], first[cell + count] - first[cell]);
    };

    constexpr int64_t Unreached = std::numeric_limits<int64_t>::max();
    const int64_t penalty = CellLength() / GroupPenaltyPerCell;
    std::vector<int64_t> cost(static_cast<size_t>(cells) + 1, Unreached);
    std::vector<TGroupKind> last(static_cast<size_t>(cells) + 1, TGroupKind::Plain);
    cost[0] = 0;
    for (int c = 0; c < cells; ++c) {
        if (cost[c] == Unreached) continue;
        const auto relax = [&](TGroupKind kind, int64_t extra, bool winsTies) {
            const int to = c + GroupCells(kind);
            const int64_t total = cost[c] + extra + GroupError(notesIn(c, GroupCells(kind)), c, kind);
            if (total < cost[to] || (winsTies && total == cost[to])) {
                cost[to] = total;
                last[to] = kind;
            }
        };
        relax(TGroupKind::Plain, 0, true);
        if (options.ThirtySeconds) relax(TGroupKind::ThirtySeconds, penalty, false);
        if (options.Triplets && c + 2 <= cells && !barStarts[c + 1])
            relax(TGroupKind::Triplet, penalty, false);
    }

    std::vector<TGroupKind> kinds;
    for (int c = cells; c > 0; c -= GroupCells(last[c])) kinds.push_back(last[c]);
    std::reverse(kinds.begin(), kinds.end());
    groupOfCell_.resize(static_cast<size_t>(cells));
    int cell = 0, space = 0;
    for (const TGroupKind kind : kinds) {
        for (int i = 0; i < GroupCells(kind); ++i) groupOfCell_[cell + i] = static_cast<int>(groups_.size());
        groups_.push_back({cell, kind, space});
        cell += GroupCells(kind);
        space += GroupSpaces(kind);
    }
}

int TSpaceGrid::SpaceAtCell(int cell) const {
    if (cell >= Cells()) {
        const TGridGroup& g = groups_.back();
        return g.FirstSpace + GroupSpaces(g.Kind);
    }
    const TGridGroup& g = groups_[groupOfCell_[cell]];
    Check(g.FirstCell == cell, "a plain space inside a triplet group");
    return g.FirstSpace;
}

TSpaceGrid::TPlace TSpaceGrid::Place(int64_t position) const {
    Check(Contains(position), "a note outside the grid");
    const TGridGroup& g = groups_[groupOfCell_[position / CellLength()]];
    const int64_t offset = position - g.FirstCell * CellLength();
    const int64_t step = Step(g.Kind);
    const int64_t k = Nearest(offset, step);
    return {g.FirstSpace + static_cast<int>(k), std::abs(offset - k * step)};
}

}  // namespace fretlo
