// Whole-file writes that never leave a half-written file behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fretlo {

// Replaces the file at `path` with `bytes` as one step: the bytes go to a temporary file in
// the same folder, are flushed to disk, and the temporary file is renamed over the target.
// A target the user may not write is refused, as writing in place would be; devices, pipes
// and sockets are written to directly, never replaced.
// An existing target keeps its permission bits (and its owner when allowed); a symbolic link
// is followed so the file it names is replaced, not the link. On any failure the old file is
// untouched, the temporary file is removed, and EFretloError carries the system's error text
// with the file name.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// Reads a whole file into memory; EFretloError with the system's error text on failure.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

}  // namespace fretlo
