// Whole numbers as the user types them into a field: decimal, an optional '+', blanks around
// them ignored.
#pragma once

#include <optional>
#include <string_view>

namespace fretlo {

// The number, or nothing for anything else (empty, other characters, out of range).
std::optional<long long> ParseWholeNumber(std::string_view text);

}  // namespace fretlo
