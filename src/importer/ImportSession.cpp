#include "importer/ImportSession.h"

#include <filesystem>

#include "base/Errors.h"
#include "document/Limits.h"
#include "platform/SafeFile.h"

namespace fretlo {

TImportSession::TImportSession(const std::string& midiPath)
    : midiPath_(midiPath), song_(ReadMidiSong(ReadWholeFile(midiPath))) {
    for (const TMidiPart& part : song_.Parts) {
        choices_.push_back(SuggestChoice(part, song_.Division));
        choices_.back().Import = static_cast<int>(choices_.size()) <= MaxTracks;
    }
}

void TImportSession::SetKind(int part, int kind) {
    Check(kind >= 0 && kind < static_cast<int>(TrackKinds().size()), "no such track kind");
    choices_.at(part).Kind = kind;
    choices_.at(part).Tuning = DefaultTuning(kind);
}

TImportReport TImportSession::Import(TCustomTabDoc& doc) const {
    return ImportMidi(song_, ImportTitle(midiPath_), Options(), doc);
}

std::string TImportSession::Preview() const {
    TCustomTabDoc scratch;
    return ReportText(Import(scratch), song_);
}

std::string TImportSession::SongPath() const {
    return std::filesystem::path(midiPath_).replace_extension(".frl").string();
}

}  // namespace fretlo
