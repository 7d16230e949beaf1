// fretlo-tool print: the pages File > Print prints, written to a PDF file without a display.
#include <QPageLayout>
#include <sstream>

#include "document/TabDoc.h"
#include "platform/SafeFile.h"
#include "tool/cli/Args.h"
#include "tool/cli/TrackArg.h"
#include "tool/media/widgets/WidgetCommands.h"
#include "view/PrintPdf.h"

namespace fretlo::tool {

namespace {

constexpr int DefaultMargin = 500;  // thousandths of an inch, as the window's Page Setup starts

QPageSize::PageSizeId ParsePaper(const std::optional<std::string>& text) {
    if (!text || *text == "A4") return QPageSize::A4;
    if (*text == "Letter") return QPageSize::Letter;
    throw EUsage("--paper must be A4 or Letter");
}

// Left, top, right and bottom in thousandths of an inch.
QMarginsF ParseMargins(const std::optional<std::string>& text) {
    if (!text) return QMarginsF(DefaultMargin, DefaultMargin, DefaultMargin, DefaultMargin) / 1000;
    std::istringstream in(*text);
    std::vector<double> values;
    for (std::string item; std::getline(in, item, ',');) {
        const auto n = ParseInteger(item);
        if (!n || *n < 0 || *n > 10000) throw EUsage("--margins must be four whole numbers from 0 to 10000");
        values.push_back(double(*n) / 1000);
    }
    if (values.size() != 4) throw EUsage("--margins must be four whole numbers from 0 to 10000");
    return QMarginsF(values[0], values[1], values[2], values[3]);
}

QPageLayout PageLayout(QPageSize::PageSizeId paper, const QMarginsF& margins) {
    const QPageSize size(paper);
    const QSizeF inches = size.size(QPageSize::Inch);
    if (margins.left() + margins.right() >= inches.width() || margins.top() + margins.bottom() >= inches.height())
        throw EUsage("--margins leave no room on the page");
    return QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Inch);
}

}  // namespace

int CmdPrint(const std::vector<std::string>& args) {
    TArgs a(args, {"--tracks", "--paper", "--margins"});
    const std::string& file = a.Positional(0, "FILE");
    const std::string& out = a.Positional(1, "OUT.pdf");
    TPrintOptions options;
    options.Title = !a.Flag("--no-title");
    options.PageNumbers = !a.Flag("--no-page-numbers");
    const QPageLayout layout = PageLayout(ParsePaper(a.Value("--paper")), ParseMargins(a.Value("--margins")));
    const std::optional<std::string> tracks = a.Value("--tracks");
    a.Finish(2);

    TCustomTabDoc doc;
    doc.LoadFromFile(file);
    options.Tracks = ToTrackFilter(TracksArg(tracks, doc.TrackCount()));
    const THeadlessApplication app;
    const QByteArray pdf = PrintToPdf(doc, options, TTabFontSettings{}, layout);
    WriteFileAtomically(out, std::vector<uint8_t>(pdf.begin(), pdf.end()));
    return 0;
}

}  // namespace fretlo::tool
