// TCustomTabDoc::LoadFromFile and SaveToFile: the document side of the song file.
#include "document/SongFile.h"

#include "document/TabDoc.h"
#include "platform/SafeFile.h"

#include <filesystem>

namespace fretlo {

std::string FullSongPath(const std::string& path) {
    std::error_code error;
    const auto full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

void TCustomTabDoc::LoadFromFile(const std::string& path) { LoadSongFile(*this, path); }

int LoadSongFile(TCustomTabDoc& doc, const std::string& path) {
    const std::string fullPath = FullSongPath(path);
    const std::vector<uint8_t> file = ReadWholeFile(fullPath);
    doc.LoadFromBytes(file, fullPath);
    return file[3];
}

void TCustomTabDoc::LoadFromBytes(const std::vector<uint8_t>& file, const std::string& fullPath) {
    const TSongHeader header = ReadSongHeader(file);
    Reset();
    try {
        ReadSongBody(*this, header, file);
    } catch (...) {
        New(NewSongBarSpaces);
        throw;
    }
    Modified = false;
    NotifyDocumentReplaced();
    FileName = fullPath;
    DocumentReset();
}

void TCustomTabDoc::SaveToFile(const std::string& path) {
    const std::string fullPath = FullSongPath(path);
    WriteFileAtomically(fullPath, BuildSongFile(*this));
    Modified = false;
    ClearJournal();
    FileName = fullPath;
    DocumentReset();
}

}  // namespace fretlo
