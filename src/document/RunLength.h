// The run-length layer of the per-space arrays in song files: blocks of run entries.
#pragma once

#include "document/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fretlo {

// A block holds at most this many bytes of entries (after its u16 entry-word count).
inline constexpr size_t RunBlockBytes = 8192;
inline constexpr size_t MaxRun = 65535;

// Appends `data` as blocks of run entries; an empty array appends nothing.
void AppendRunLength(std::vector<uint8_t>& out, std::span<const uint8_t> data);

// Decodes blocks until `out` is full; "Data is corrupted" for an oversized block or a run
// that goes past the end of `out`.
void ReadRunLength(TByteSource& in, std::span<uint8_t> out);

} // namespace fretlo
