// The midicsv program as an outside parser of the exported files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/MidiReader.h"
#include "export/RunCommand.h"

namespace fretlo::test {

bool MidiCsvInstalled();
// Writes the bytes to a temporary file and runs midicsv on it; its output is the CSV text.
TCommandRun RunMidiCsv(const std::vector<uint8_t>& bytes);

// Note and tempo events as "chunk:tick:kind:values", from midicsv's output and from our reader,
// so the two parsers can be compared.
std::vector<std::string> CsvEvents(const std::string& csv);
std::vector<std::string> ReaderEvents(const TMidiFile& file);

}  // namespace fretlo::test
