// TImportSession: one MIDI file being imported: its parts, the user's choice for each and the
// grid, turned into the importer's options, a preview of the report and the song itself.
#pragma once

#include <string>
#include <vector>

#include "document/TabDoc.h"
#include "import/ImportMidi.h"

namespace fretlo {

class TImportSession {
public:
    // Reads the file; EFretloError with one line when it is no MIDI file or is damaged. Each
    // part starts on the importer's suggestion; only the first 15 are checked.
    explicit TImportSession(const std::string& midiPath);

    const std::string& MidiPath() const { return midiPath_; }
    const TMidiSong& Song() const { return song_; }
    int PartCount() const { return static_cast<int>(choices_.size()); }

    const TPartChoice& Choice(int part) const { return choices_.at(part); }
    void SetImported(int part, bool imported) { choices_.at(part).Import = imported; }
    // A new kind starts on its default tuning.
    void SetKind(int part, int kind);
    void SetTuning(int part, const TTuningKeys& tuning) { choices_.at(part).Tuning = tuning; }

    TGridOptions Grid;
    TImportOptions Options() const { return {Grid, choices_}; }

    // The song of the chosen parts; EFretloError when none or more than 15 are chosen.
    TImportReport Import(TCustomTabDoc& doc) const;
    // The report the import would give, as text.
    std::string Preview() const;
    // NAME.frl in the folder of NAME.mid.
    std::string SongPath() const;

private:
    std::string midiPath_;
    TMidiSong song_;
    std::vector<TPartChoice> choices_;
};

}  // namespace fretlo
