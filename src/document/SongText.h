// Song texts (title, artist, album, transcriber, comments) are kept as the bytes the file
// holds: newer files store UTF-8, older ones the 8-bit Windows-1252 code page. Everything
// that shows a text reads it through here, so the window, the tool and the text export
// show the same characters.
#pragma once

#include <string>
#include <string_view>

namespace fretlo {

bool IsValidUtf8(std::string_view bytes);

// The characters of a stored text as UTF-8: bytes that are valid UTF-8 as they are, any
// other text read as Windows-1252.
std::string SongTextUtf8(std::string_view bytes);

}  // namespace fretlo
