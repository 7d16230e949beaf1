// TImportReport: what an import made of a MIDI file, for the user to check it by.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "import/MidiSong.h"
#include "import/PartChoice.h"

namespace fretlo {

// Why a note did not become a fret number.
enum TDropReason {
    drSameKey,       // the key sounds already at that place in the part
    drNoFreeString,  // more notes at one time than the strings can take
    drUnreachable,   // no string reaches it, even an octave or more away
    drPastEnd,       // beyond the 32000 spaces a track can hold
    DropReasons
};

struct TTrackReport {
    int Part;  // index into the song's parts
    int Kind;  // index into TrackKinds()
    TTuningKeys Tuning;
    int Instrument;
    int Placed = 0;
    int MovedByOctave = 0;
    std::array<int, DropReasons> Dropped{};
    int64_t ErrorSum = 0;  // fine units, over the notes placed or merged
    int64_t ErrorMax = 0;
    int Quantised = 0;  // notes the error is summed over
};

struct TImportReport {
    std::string Title;
    int Format = 1;
    int Division = 96;
    int PartCount = 0;
    std::vector<TTrackReport> Tracks;  // in the song's track order
    std::vector<int> LeftOut;          // parts not chosen
    int Tempo = 120;
    int TempoChanges = 0;
    int Bars = 0;

    int Placed() const;
    int MovedByOctave() const;
    int Dropped(TDropReason reason) const;
    int Dropped() const;
};

// One line about a part: "part 2 "Bass", channel 2, 310 notes, E1 to G3".
std::string PartSummary(const TMidiPart& part, int index);
// Its lowest and highest key: "E1 to G3", or "keys 35 to 49" for drums.
std::string KeyRange(const TMidiPart& part);
// The strings of a kind from the lowest: "E2 A2 D3 G3 B3 E4", key numbers for drums.
std::string TuningText(int kind, const TTuningKeys& keys);
// The report as lines of text, the parts named from `song`.
std::string ReportText(const TImportReport& report, const TMidiSong& song);

}  // namespace fretlo
