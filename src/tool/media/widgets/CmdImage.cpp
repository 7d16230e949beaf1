// fretlo-tool image: a picture of a song as the view draws it, without a display.
#include <cstdlib>

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "tool/cli/Args.h"
#include "tool/media/widgets/WidgetCommands.h"
#include "view/TabImage.h"

namespace fretlo::tool {

namespace {

double ParseScale(const std::optional<std::string>& text) {
    if (!text) return 1;
    char* end = nullptr;
    const double scale = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0' || !(scale >= 0.25 && scale <= 8))
        throw EUsage("--scale must be a number from 0.25 to 8");
    return scale;
}

}  // namespace

int CmdImage(const std::vector<std::string>& args) {
    TArgs a(args, {"--width", "--height", "--bar", "--scale"});
    const std::string& file = a.Positional(0, "FILE");
    const std::string& out = a.Positional(1, "OUT.png");
    TTabImageOptions options;
    options.Width = a.Int("--width", 1600, 1, 32767);
    options.Height = a.Int("--height", 0, 1, 32767);
    options.FirstBar = a.Int("--bar", 1, 1, MaxBars) - 1;
    options.Scale = ParseScale(a.Value("--scale"));
    a.Finish(2);

    const THeadlessApplication app;
    TCustomTabDoc doc;
    doc.LoadFromFile(file);
    const QImage image = RenderTabImage(doc, options);
    if (!image.save(QString::fromStdString(out), "PNG")) throw EFretloError("Failed to write " + out);
    return 0;
}

}  // namespace fretlo::tool
