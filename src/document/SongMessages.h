// The fixed messages of the song file reader, as the user sees them.
#pragma once

namespace fretlo {

inline constexpr const char* MsgNotSongFile =
    "Unable to load the file. Either it is corrupted or it is not a Fretlo file";
// %s is the lowest program version the file names in its header.
inline constexpr const char* MsgLaterVersion =
    "This file was created with a later version of Fretlo. You'll need to upgrade to Fretlo "
    "version %s or later in order to open this file.";
inline constexpr const char* MsgCorrupted = "Unable to load the file. It appears to be corrupted";
inline constexpr const char* MsgTooManyTracks =
    "Unable to load the file because it contains more tracks than this version of Fretlo supports";
inline constexpr const char* MsgTooManyBars =
    "Unable to load the file because it contains more bars than this version of Fretlo supports";
inline constexpr const char* MsgZlibCorrupted = "zlib: Compressed data is corrupted";
// %d is the zlib status code.
inline constexpr const char* MsgZlibInternal = "zlib: Internal error. Code %d";
// The run-length layer: a block longer than allowed or a run beyond the array's end.
inline constexpr const char* MsgDataCorrupted = "Data is corrupted";

// Saving a title or comment that a u16 length cannot hold; %u is the limit.
inline constexpr const char* MsgTextTooLong =
    "Unable to save the file because a song text is longer than %u characters";

}  // namespace fretlo
