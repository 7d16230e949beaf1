// MIDI files for the importer's tests: byte by byte for the reader, through csvmidi (the way
// a sequencer writes them, with running status) for everything else.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "document/TabDoc.h"
#include "import/MidiSong.h"

namespace fretlo::test {

using TBytes = std::vector<uint8_t>;

// A header chunk and one "MTrk" chunk per body.
TBytes Smf(int format, int division, const std::vector<TBytes>& trackBodies);

// The file csvmidi writes for the CSV records (midicsv's format, one record per line).
TBytes CsvMidi(const std::string& csv);
// A format 1 file of `division` whose first track holds `conductor` records and each further
// track the records of one string, written as "tick, Kind, values" (the track number is added).
TBytes CsvSong(int division, const std::string& conductor, const std::vector<std::string>& tracks);

// Every fret note of a track as (song time, sounding key), in space order.
std::vector<std::pair<int32_t, int>> TrackNotes(TCustomTabDoc& doc, int track);

}  // namespace fretlo::test
