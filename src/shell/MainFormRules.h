// The main window's rules that need no window: menu captions, the error text of the
// exception display, the save-location refusal and the parsing of the small dialogs' fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/WholeNumber.h"

namespace fretlo {

// Product name: message-box captions and the end of the window caption.
inline constexpr const char* AppTitle = "Fretlo";
inline constexpr const char* AppVersionText = "Fretlo version 2.03";

// The name shown for a song file: its file name without folders; "Untitled" without a file.
std::string DisplayName(std::string_view fileName);
// "<display name> - Fretlo".
std::string WindowCaption(std::string_view fileName);

// The File menu item of recent entry `index` (0..9): "&", the digit (index + 1) mod 10, a blank
// and the display name with every "&" doubled so that it shows as typed.
std::string RecentItemCaption(int index, std::string_view displayName);

// The text of the application-wide error box: for an internal error the folders of the source
// file named in parentheses are dropped; a "." follows a last character whose code is above
// that of "." unless it is one of "?!:;".
std::string ErrorDisplayText(std::string_view message, bool internalError);

// Environment variables naming the temporary folder, in the order they are checked.
struct TTempFolders {
    std::string Tmp, Temp, TmpDir;
};
TTempFolders TempFoldersFromEnvironment();
// The folder of `fileName` when Save must refuse it because it is a temporary folder.
std::optional<std::string> RefusedSaveFolder(std::string_view fileName, const TTempFolders& temp);
// The message Save shows for a refused folder.
std::string SaveRefusedMessage(std::string_view folder);

// The New dialog's beats field: 1 to 16.
std::optional<int> ParseBeats(std::string_view text);
// Bar length in spaces of the New dialog: beats x 4 + the index of the fraction list ("-", "1/4",
// "1/2", "3/4").
inline int BarSpaces(int beats, int fractionIndex) { return beats * 4 + fractionIndex; }
// Add Bars' number of bars: 1 to 10000.
std::optional<int> ParseBarsToAdd(std::string_view text);
// Go to Bar's field: a 1-based bar number of at least 1.
std::optional<int> ParseBarNumber(std::string_view text);
// The song tempo field: 30 to 500 beats per minute.
inline constexpr int MinTempo = 30;
inline constexpr int MaxTempo = 500;
std::optional<int> ParseTempo(std::string_view text);
// What a tempo field says when ParseTempo refuses its text.
std::string TempoRangeMessage();

}  // namespace fretlo
