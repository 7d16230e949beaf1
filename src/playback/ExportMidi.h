// ExportMidi: the song as a Standard MIDI File (format 1), rendered the way the player
// sounds it, with repeats unrolled: a conductor track, then one chunk per exported track.
#pragma once

#include "document/Limits.h"
#include "document/TabDoc.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace fretlo {

inline constexpr int MidiTicksPerQuarter = 192;
inline constexpr int MidiTicksPerSpace = 48;

struct TMidiExportOptions {
    bool IncludeBankSelects = false; // controller 0 before program changes
    bool IncludeMuted = true;        // muted strings sound as short hits
};

// The whole file. Raises EFretloError "At least one track must be checked." when no track of
// the song is flagged.
std::vector<uint8_t> RenderMidiFile(TCustomTabDoc& doc, std::bitset<MaxTracks> trackFlags,
                                    const TMidiExportOptions& options);

// Renders the file and saves it under `fileName` in one step, so a failed export leaves any
// earlier file of that name as it was.
void ExportMidi(TCustomTabDoc& doc, const std::string& fileName, std::bitset<MaxTracks> trackFlags,
                bool includeBankSelects, bool includeMuted);

} // namespace fretlo
