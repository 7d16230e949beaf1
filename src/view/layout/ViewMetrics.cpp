#include "view/layout/ViewMetrics.h"

#include <algorithm>
#include <string>

namespace fretlo {

int TFontWidths::TextWidth(std::string_view text) const {
    int w = 0;
    for (char c : text) w += Width(static_cast<uint8_t>(c));
    return w;
}

namespace {

int WidestNumber(const TFontWidths& font, int from, int to) {
    int widest = 0;
    for (int n = from; n <= to; ++n) widest = std::max(widest, font.TextWidth(std::to_string(n)));
    return widest;
}

// The widest label the tuning column can show: a flat note name or a key number.
int WidestTuningLabel(const TFontWidths& font) {
    int widest = WidestNumber(font, 0, 127);
    for (char letter = 'A'; letter <= 'G'; ++letter)
        widest = std::max(widest, font.TextWidth(std::string{letter, 'b'}));
    return widest;
}

}  // namespace

TTabMetrics ComputeMetrics(const TFontWidths& normal, const TFontWidths& small) {
    TTabMetrics m;
    m.Normal = normal;
    m.Small = small;
    m.LineHeight = normal.Height;
    m.FontHeight = normal.Height;
    m.SmallFontHeight = small.Height;
    m.EffectLineHeight = small.Height + 2;
    m.TrackMargin = m.LineHeight / 2 + 1;
    m.SpaceWidth = WidestNumber(normal, 0, 9) + 3;
    m.WideSpaceWidth = WidestNumber(normal, 10, 99) + 3;
    m.TuningColumnWidth = WidestTuningLabel(normal) + 5;
    m.RepeatDigitWidth = WidestNumber(small, 0, 9);
    return m;
}

}  // namespace fretlo
