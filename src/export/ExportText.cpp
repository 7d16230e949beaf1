#include "export/ExportText.h"

#include "base/Errors.h"
#include "document/SongText.h"
#include "export/TextTabWriter.h"
#include "platform/SafeFile.h"

#include <filesystem>
#include <vector>

namespace fretlo {

std::optional<TTextExportProblem> CheckTextExport(const TTextExportOptions& options,
                                                  std::bitset<MaxTracks> tracks, int trackCount) {
    if (options.LineWidth < MinLineWidth || options.LineWidth > MaxLineWidth)
        return TTextExportProblem{TTextExportField::LineWidth,
                                  "Line Width must be between 30 and 160."};
    if (options.PageBreaks &&
        (options.LinesPerPage < MinLinesPerPage || options.LinesPerPage > MaxLinesPerPage))
        return TTextExportProblem{TTextExportField::LinesPerPage,
                                  "Lines must be between 50 and 100."};
    for (int t = 0; t < trackCount; ++t)
        if (tracks[t]) return std::nullopt;
    return TTextExportProblem{TTextExportField::Tracks, "At least one track must be checked."};
}

std::string ExportText(TCustomTabDoc& doc, const std::string& fileName,
                       const TTextExportOptions& options, std::bitset<MaxTracks> tracks) {
    if (const auto problem = CheckTextExport(options, tracks, doc.TrackCount()))
        throw EFretloError(problem->Message);
    std::optional<std::string> title;
    if (!doc.Title.empty())
        title = SongTextUtf8(doc.Title);
    else if (!options.NoFileNameTitle)
        title = std::filesystem::path(fileName).filename().string();
    TTextExportOptions used = options;
    if (!used.PageBreaks) used.LinesPerPage = MaxLinesPerPage;
    return TTextTabWriter(doc, used, tracks).Write(title);
}

void WriteTextExport(TCustomTabDoc& doc, const std::string& fileName,
                     const TTextExportOptions& options, std::bitset<MaxTracks> tracks) {
    const std::string text = ExportText(doc, fileName, options, tracks);
    WriteFileAtomically(fileName, std::vector<uint8_t>(text.begin(), text.end()));
}

} // namespace fretlo
