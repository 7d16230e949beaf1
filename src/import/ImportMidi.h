// ImportMidi: a MIDI file's parts as the tracks of a song. The steps, each in its own file:
//   MidiFileReader.h  the bytes: chunks, delta times, running status, events
//   MidiSong.h        the parts (MIDI track and channel), tempo map and time signatures
//   PartChoice.h      the kind and tuning a part becomes, and the one suggested for it
//   SongBars.h        the bars from the time signatures
//   SpaceGrid.h       sixteenths, triplet groups and thirty-seconds where the notes are
//   FretChooser.h     a string and fret for every note of a chord
//   ImportTrack.h     one track from one part
//   ImportReport.h    what was made and what was lost, and its text
#pragma once

#include <string>
#include <vector>

#include "document/TabDoc.h"
#include "import/ImportReport.h"
#include "import/MidiSong.h"
#include "import/SpaceGrid.h"
#include "import/PartChoice.h"

namespace fretlo {

struct TImportOptions {
    TGridOptions Grid;
    // One choice per part of the song, in its order; empty: SuggestChoice for the first 15
    // parts, the others left out.
    std::vector<TPartChoice> Parts;
};

// Replaces the content of `doc` with the song made from the chosen parts, titled `title`,
// and says what became of the notes. EFretloError when no part or more than 15 are chosen.
TImportReport ImportMidi(const TMidiSong& song, const std::string& title, const TImportOptions& options,
                         TCustomTabDoc& doc);

// The title of a song imported from `path`: the file name without folder and extension.
std::string ImportTitle(const std::string& path);

}  // namespace fretlo
