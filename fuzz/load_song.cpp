// libFuzzer target: arbitrary bytes as a song file. Loading must fail with a message or
// succeed; a loaded song must save, and its file must load and save back to the same bytes.
// Each input is tried as it is (the header checks) and with its CRC and size fields made
// to match (so that mutations reach the body reader instead of stopping at the checks).
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/SongFile.h"
#include "document/TabDoc.h"

using namespace fretlo;

namespace {

// Reused like the application's single document, which is reloaded in place.
TCustomTabDoc& Doc() {
    static TCustomTabDoc doc;
    return doc;
}

void Seal(std::vector<uint8_t>& file) {
    if (file.size() < SongHeaderSize) return;
    const uint8_t* body = file.data() + SongHeaderSize;
    const auto bodySize = static_cast<uInt>(file.size() - SongHeaderSize);
    PutU32(file.data() + 52, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), body, bodySize)));
    PutU32(file.data() + 56, static_cast<uint32_t>(file.size()));
    PutU32(file.data() + 60, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), file.data(), 60)));
}

void SaveAndReadBack(const TCustomTabDoc& doc) {
    static TCustomTabDoc again;
    const std::vector<uint8_t> saved = BuildSongFile(doc);
    again.LoadFromBytes(saved, "/again.frl");
    if (BuildSongFile(again) != saved) {
        std::fprintf(stderr, "a saved song does not read back to the same file\n");
        std::abort();
    }
}

void TryLoad(const std::vector<uint8_t>& file) {
    try {
        Doc().LoadFromBytes(file, "/fuzz.frl");
    } catch (const EInternalError& e) {
        std::fprintf(stderr, "internal error while loading: %s\n", e.what());
        std::abort();
    } catch (const EFretloError&) {
        return;
    }
    SaveAndReadBack(Doc());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file(data, data + size);
    TryLoad(file);
    Seal(file);
    TryLoad(file);
    return 0;
}
