#include "import/KeyNames.h"

#include <cctype>
#include <charconv>

#include "playback/MidiNames.h"

namespace fretlo {

namespace {

constexpr int Octave = 12;
constexpr int MaxKey = 127;

// Pitch class of each letter from C.
int LetterClass(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: return -1;
    }
}

std::optional<int> WholeNumber(std::string_view text) {
    int v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

}  // namespace

std::string KeyName(int key) {
    return std::string(NoteNamesSharp[static_cast<size_t>(key % Octave)]) + std::to_string(key / Octave - 1);
}

std::optional<int> ParseKeyName(std::string_view text) {
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0]))) {
        const auto key = WholeNumber(text);
        return key && *key <= MaxKey ? key : std::nullopt;
    }
    if (text.empty() || LetterClass(text[0]) < 0) return std::nullopt;
    int pc = LetterClass(text[0]);
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        pc += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    const auto octave = WholeNumber(text);
    if (!octave) return std::nullopt;
    const int key = (*octave + 1) * Octave + pc;
    if (key < 0 || key > MaxKey) return std::nullopt;
    return key;
}

}  // namespace fretlo
