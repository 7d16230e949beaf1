// What the Title & Comments dialog shows of the song's five texts and what it stores back.
// A text the user did not edit keeps its bytes, whatever code page wrote them; an edited one
// is stored as UTF-8, and the limits count the bytes the file will hold.
#pragma once

#include <optional>
#include <string>

#include "edit/SongEdit.h"

namespace fretlo {

inline constexpr size_t MaxSongTextBytes = 255;  // each of title, artist, album, transcriber
inline constexpr size_t MaxCommentsBytes = 32767;

enum class TSongTextField { Title, Artist, Album, Transcriber, Comments };

// The texts as characters in UTF-8 (SongText.h); the comments' lines end in "\n", as an
// editing box gives them back.
TSongTexts ShownSongTexts(const TSongTexts& stored);

// The bytes to keep: each text still shown as ShownSongTexts(stored) gave it keeps its stored
// bytes; an edited one becomes its UTF-8, comments with the line end the stored ones used
// (CR LF when they had none, as song files have always held them).
TSongTexts StoredSongTexts(const TSongTexts& stored, const TSongTexts& shown);

struct TSongTextRefusal {
    TSongTextField Field;
    std::string Message;
};

// The first edited text whose stored bytes pass its limit, with the message that says so.
std::optional<TSongTextRefusal> CheckSongTexts(const TSongTexts& stored, const TSongTexts& shown);

}  // namespace fretlo
