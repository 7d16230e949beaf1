// TSpaceGrid: the spaces of one imported track. The song is a row of plain spaces
// (sixteenths); a stretch of two of them becomes a triplet group (three spaces in their
// time) and a single one a pair of thirty-seconds where the track's notes fit that better.
// Each note then lands on the nearest space of its group.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace fretlo {

// Positions are counted in fine units, 24 to a MIDI tick, so that a plain space of a quarter
// note's ticks / 4 (6 x division), a triplet space (4 x division) and a thirty-second
// (3 x division) all measure whole units.
inline constexpr int64_t FinePerTick = 24;

enum class TGroupKind : uint8_t { Plain, ThirtySeconds, Triplet };

struct TGridOptions {
    bool Triplets = true;
    bool ThirtySeconds = false;
};

struct TGridGroup {
    int FirstCell;  // first plain space it covers
    TGroupKind Kind;
    int FirstSpace;  // its first space in the track
};

// Number of spaces and plain spaces a group of each kind has.
int GroupSpaces(TGroupKind kind);
int GroupCells(TGroupKind kind);

class TSpaceGrid {
public:
    // `barStarts` has one flag per plain space plus one: true where a bar begins (no triplet
    // group crosses a bar line). `positions` are the track's notes, sorted; those at or past
    // the last plain space are not looked at.
    TSpaceGrid(int division, const std::vector<bool>& barStarts, std::span<const int64_t> positions,
               TGridOptions options);

    int Cells() const { return static_cast<int>(groupOfCell_.size()); }
    int64_t CellLength() const { return 6 * division_; }  // fine units of a plain space
    bool Contains(int64_t position) const { return position >= 0 && position < Cells() * CellLength(); }
    int SpaceCount() const { return SpaceAtCell(Cells()); }
    const std::vector<TGridGroup>& Groups() const { return groups_; }
    // The space that begins at plain space `cell` (0..Cells()).
    int SpaceAtCell(int cell) const;

    struct TPlace {
        int Space;
        int64_t Error;  // fine units from the note to its space
    };
    // The nearest space to a position inside the grid's plain spaces; a note just before a
    // group's end goes to the next group's first space.
    TPlace Place(int64_t position) const;

private:
    int64_t Step(TGroupKind kind) const;
    // Summed distance of the notes in a group starting at `cell` to their nearest space.
    int64_t GroupError(std::span<const int64_t> positions, int cell, TGroupKind kind) const;
    void Choose(const std::vector<bool>& barStarts, std::span<const int64_t> positions, TGridOptions options);

    int64_t division_;
    std::vector<TGridGroup> groups_;
    std::vector<int> groupOfCell_;
};

}  // namespace fretlo
