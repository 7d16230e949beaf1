// libFuzzer target: arbitrary bytes as a MIDI file. Reading must end in a message or a song;
// a song with notes must import (its first 15 parts as suggested, the grid's options taken
// from the input's size) into a document that saves. Seeds in fuzz/corpus/import_midi.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "base/Errors.h"
#include "document/SongFile.h"
#include "document/TabDoc.h"
#include "import/ImportMidi.h"

using namespace fretlo;

namespace {

// Reused like a window program's single document.
TCustomTabDoc& Doc() {
    static TCustomTabDoc doc;
    return doc;
}

[[noreturn]] void Fail(const char* what, const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", what, e.what());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMidiSong song;
    try {
        song = ReadMidiSong({data, size});
    } catch (const EInternalError& e) {
        Fail("internal error while reading", e);
    } catch (const EFretloError&) {
        return 0;
    }
    if (song.Parts.empty()) return 0;
    TImportOptions options;
    options.Grid = {(size & 1) == 0, (size & 2) != 0};
    try {
        ImportMidi(song, "fuzz", options, Doc());
        BuildSongFile(Doc());
    } catch (const std::exception& e) {
        Fail("a song read from the file did not import and save", e);
    }
    return 0;
}
