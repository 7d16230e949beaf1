// TTextTabWriter: the text export's walk over the song: it collects columns of fret numbers,
// effects, bar lines and repeat signs for every chosen track and writes them out as staff
// systems whenever the line is full, a staff break comes or the song ends.
#pragma once

#include "document/TabDoc.h"
#include "export/ExportText.h"

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fretlo {

class TTextTabWriter {
public:
    // The options must have passed CheckTextExport.
    TTextTabWriter(TCustomTabDoc& doc, const TTextExportOptions& options, std::bitset<MaxTracks> tracks);
    // The whole text; `title` is the first line, followed by an empty one, when given.
    std::string Write(const std::optional<std::string>& title);

private:
    // The columns of one chosen track not yet written: the text rows and one row per string.
    struct TRows {
        int Track;
        std::string Top, Bottom;
        std::array<std::string, StringSlots> Strings;
    };
    // What the notes and effects of one step need.
    struct TStepShape {
        bool Number = false, TwoDigits = false, Effect = false, Closing = false;
    };
    enum class TFlush { Normal, Staff, Final };

    int32_t NextStepTime() const;
    bool InStep(const TRows& rows, int32_t t) const;
    // Closes the current bar and opens the next; false when the song is done.
    bool NextBar();
    void CloseBar(const TBar& bar);
    void OpenRepeat();
    void WriteStep(int32_t t);
    void FillStep(TRows& rows, int effectCol, int mainCol, int closeCol);
    void Flush(TFlush mode);
    void WriteSystem(int cut);
    void WriteLine(std::string_view prefix = {}, std::string_view text = {});
    // Adds `n` empty columns to every chosen track; returns the first one.
    int AddColumns(int n);

    TCustomTabDoc& doc_;
    const TTextExportOptions options_;
    std::vector<TRows> rows_;                        // the chosen tracks, in track order
    std::array<int, MaxTracks> next_{};              // next space of every track
    std::array<const int32_t*, MaxTracks> times_{};  // start of every space of every track
    int bar_ = -1;
    int lastBar_ = 0;
    int pending_ = 0;       // columns collected and not yet written
    int barBreakCol_ = 0;   // where the current bar's content begins, 0 for none
    int stepBreakCol_ = 0;  // where the current step begins
    int linesLeft_ = 0;     // on the current page
    int linesWritten_ = 0;
    bool afterNumber_ = false;  // the previous step ended with a number
    std::string out_;
};

}  // namespace fretlo
