// ExportText: the song as plain-text tablature: one line per string of each chosen track,
// wrapped at a line width and optionally split into pages with form feeds.
#pragma once

#include "document/Limits.h"
#include "document/TabDoc.h"

#include <bitset>
#include <optional>
#include <string>

namespace fretlo {

struct TTextExportOptions {
    bool NoFileNameTitle = false; // an untitled song gets no title line instead of the file name
    int LineWidth = 76;           // 30 to 160 characters
    bool BreakAtBar = true;       // prefer to wrap lines where a bar starts
    bool PageBreaks = false;      // form feeds between pages
    int LinesPerPage = 60;        // 50 to 100; 100 when PageBreaks is off
};

inline constexpr int MinLineWidth = 30;
inline constexpr int MaxLineWidth = 160;
inline constexpr int MinLinesPerPage = 50;
inline constexpr int MaxLinesPerPage = 100;

// What the export dialog refuses, in the order it checks, with the message it shows.
enum class TTextExportField { LineWidth, LinesPerPage, Tracks };
struct TTextExportProblem {
    TTextExportField Field;
    const char* Message;
};
std::optional<TTextExportProblem> CheckTextExport(const TTextExportOptions& options,
                                                  std::bitset<MaxTracks> tracks, int trackCount);

// The whole text, lines ending in CR LF. `fileName` only gives the title of an untitled song
// (its name without folders). Options are used as given: check them first.
std::string ExportText(TCustomTabDoc& doc, const std::string& fileName,
                       const TTextExportOptions& options, std::bitset<MaxTracks> tracks);

// Writes the text to `fileName` in one step, so a failure leaves any earlier file as it was.
void WriteTextExport(TCustomTabDoc& doc, const std::string& fileName,
                     const TTextExportOptions& options, std::bitset<MaxTracks> tracks);

} // namespace fretlo
