// MIDI files for the importer window's tests: parts of a few notes each, written byte by byte.
#pragma once

#include <string>
#include <vector>

namespace fretlo::test {

struct TTestPart {
    std::string Name;  // the track name; empty for none
    int Channel;
    int Program;  // -1 for no program change
    std::vector<int> Keys;  // one a sixteenth at 96 ticks a quarter
};

// A format 1 file with one MIDI track per part, written to `path`.
void WriteMidiFile(const std::string& path, const std::vector<TTestPart>& parts);

}  // namespace fretlo::test
