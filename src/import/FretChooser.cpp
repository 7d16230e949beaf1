#include "import/FretChooser.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace fretlo {

namespace {

constexpr int Octave = 12;
constexpr int MaxOctaveMoves = 10;
// A hand spans four frets above its first finger; each fret of stretch beyond that costs more
// than any movement along the neck could.
constexpr int ComfortableStretch = 4;
constexpr int StretchCost = 1000;
// Enough for any chord of up to seven notes; a bound on the work a damaged file can ask for.
constexpr int MaxSearchSteps = 200000;

struct TScore {
    int Placed = -1;
    int Cost = 0;
    int Open = 0;
    int FretSum = 0;

    // More notes placed, then less movement, then more open strings, then lower frets.
    bool BetterThan(const TScore& o) const {
        if (Placed != o.Placed) return Placed > o.Placed;
        if (Cost != o.Cost) return Cost < o.Cost;
        if (Open != o.Open) return Open > o.Open;
        return FretSum < o.FretSum;
    }
};

}  // namespace

// A depth-first search over the strings each note could take, keeping the best assignment.
struct TFretChooser::TSearch {
    const TFretChooser& chooser;
    const std::vector<int>& keys;  // most constrained first
    const bool allowGaps;          // notes may be left without a string
    std::vector<int> strings;      // current assignment, -1 for none
    std::vector<int> best;
    TScore bestScore;
    int steps = 0;

    TScore Score() const {
        TScore s{0, 0, 0, 0};
        int lo = MaxFret + 1, hi = -1;
        for (size_t i = 0; i < keys.size(); ++i) {
            if (strings[i] < 0) continue;
            const int fret = chooser.FretOn(strings[i], keys[i]);
            ++s.Placed;
            s.FretSum += fret;
            if (fret == 0) {
                ++s.Open;
                continue;
            }
            lo = std::min(lo, fret);
            hi = std::max(hi, fret);
        }
        if (chooser.strings_.Drums) {
            s.Cost = s.FretSum;
        } else if (hi >= 0) {
            // The hand moves to the middle of the fretted notes; open strings need it nowhere.
            s.Cost = std::abs(lo + hi - chooser.handTwice_);
            if (hi - lo > ComfortableStretch) s.Cost += (hi - lo - ComfortableStretch) * StretchCost;
        }
        return s;
    }

    void Visit(size_t i, unsigned used, int placed) {
        if (++steps > MaxSearchSteps) return;
        if (placed + static_cast<int>(keys.size() - i) < bestScore.Placed) return;
        if (i == keys.size()) {
            const TScore s = Score();
            if (s.BetterThan(bestScore)) {
                bestScore = s;
                best = strings;
            }
            return;
        }
        for (int s = 0; s < chooser.strings_.Count; ++s) {
            if ((used >> s) & 1 || chooser.FretOn(s, keys[i]) < 0) continue;
            strings[i] = s;
            Visit(i + 1, used | (1u << s), placed + 1);
        }
        strings[i] = -1;
        if (allowGaps) Visit(i + 1, used, placed);
    }
};

bool TFretChooser::Reaches(int key) const {
    for (int s = 0; s < strings_.Count; ++s)
        if (FretOn(s, key) >= 0) return true;
    return false;
}

int TFretChooser::FretOn(int string, int key) const {
    const int fret = key - strings_.Keys[string];
    return fret >= 0 && fret <= strings_.HighestFret ? fret : -1;
}

TChordPlacing TFretChooser::Place(std::vector<int> keys) {
    TChordPlacing out;
    std::sort(keys.begin(), keys.end());
    const auto unique = std::unique(keys.begin(), keys.end());
    out.SameKey += static_cast<int>(keys.end() - unique);
    keys.erase(unique, keys.end());

    // Keys no string reaches go up or down by the fewest octaves that bring them in reach.
    std::vector<int> playable;
    for (const int key : keys) {
        std::optional<int> moved;
        if (Reaches(key)) moved = key;
        for (int m = 1; !moved && !strings_.Drums && m <= MaxOctaveMoves; ++m) {
            if (Reaches(key + m * Octave))
                moved = key + m * Octave;
            else if (Reaches(key - m * Octave))
                moved = key - m * Octave;
        }
        if (!moved) {
            ++out.Unreachable;
        } else if (std::find(playable.begin(), playable.end(), *moved) != playable.end() ||
                   (*moved != key && std::binary_search(keys.begin(), keys.end(), *moved))) {
            ++out.SameKey;
        } else {
            out.MovedByOctave += *moved != key;
            playable.push_back(*moved);
        }
    }

    // More keys than strings: the lowest and the highest ones carry the music.
    std::sort(playable.begin(), playable.end());
    if (static_cast<int>(playable.size()) > strings_.Count) {
        const int extra = static_cast<int>(playable.size()) - strings_.Count;
        out.NoFreeString += extra;
        playable.erase(playable.begin() + 1, playable.begin() + 1 + extra);
    }
    const auto options = [&](int key) {
        int n = 0;
        for (int s = 0; s < strings_.Count; ++s) n += FretOn(s, key) >= 0;
        return n;
    };
    std::stable_sort(playable.begin(), playable.end(), [&](int a, int b) { return options(a) < options(b); });

    std::optional<TSearch> found;
    for (const bool gaps : {false, true}) {
        found.emplace(TSearch{*this, playable, gaps, std::vector<int>(playable.size(), -1), {}, {}, 0});
        found->Visit(0, 0, 0);
        if (found->bestScore.Placed == static_cast<int>(playable.size())) break;
    }
    int lo = MaxFret + 1, hi = -1;
    for (size_t i = 0; i < playable.size(); ++i) {
        const int s = found->best.empty() ? -1 : found->best[i];
        if (s < 0) {
            ++out.NoFreeString;
            continue;
        }
        const int fret = FretOn(s, playable[i]);
        out.Placed.push_back({s, fret});
        if (fret > 0) {
            lo = std::min(lo, fret);
            hi = std::max(hi, fret);
        }
    }
    if (hi >= 0) handTwice_ = lo + hi;
    return out;
}

}  // namespace fretlo
