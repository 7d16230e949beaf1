// TFretChooser: strings and frets for the notes of one imported track, chord by chord, so
// that the part can be played: every note of a chord on its own string, frets within the
// track's highest number, and of the possible positions the one that moves the hand least
// from where the previous notes left it, open strings first when that is equal.
#pragma once

#include <array>
#include <vector>

#include "document/Limits.h"

namespace fretlo {

struct TStringSet {
    int Count;                            // strings in use
    std::array<int, StringSlots> Keys{};  // key of each open string, string 0 the lowest
    int HighestFret;
    bool Drums;  // a drum key keeps its sound: it is never moved by octaves
};

struct TFretted {
    int String;
    int Fret;
};

// What became of the notes of one chord.
struct TChordPlacing {
    std::vector<TFretted> Placed;
    int MovedByOctave = 0;  // placed an octave or more away from the written key
    int Unreachable = 0;    // no string reaches the key, nor the key moved by octaves
    int NoFreeString = 0;   // more notes at one time than the strings can take
    int SameKey = 0;        // a key that sounds twice at one time (after any octave move)
};

class TFretChooser {
public:
    explicit TFretChooser(const TStringSet& strings) : strings_(strings) {}

    // Places the keys of one chord and moves the hand to the frets chosen.
    TChordPlacing Place(std::vector<int> keys);

private:
    struct TSearch;
    bool Reaches(int key) const;
    int FretOn(int string, int key) const;

    const TStringSet strings_;
    int handTwice_ = 0;  // the hand's fret position, doubled; it starts at the nut
};

}  // namespace fretlo
