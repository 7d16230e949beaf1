// Keys as musicians write them: "E2" is key 40, "C#4" and "Db4" key 61, "C-1" key 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fretlo {

// The sharp name with its octave ("A#1").
std::string KeyName(int key);
// A name with sharp or flat and octave, or a plain key number 0..127; nothing for others.
std::optional<int> ParseKeyName(std::string_view text);

}  // namespace fretlo
