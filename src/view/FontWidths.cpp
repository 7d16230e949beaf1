#include "view/FontWidths.h"

#include <QFontMetrics>

namespace fretlo {

QFont MakeTabFont(const TTabFontSetting& setting) {
    QFont font(QString::fromStdString(setting.Name));
    font.setStyleStrategy(QFont::PreferAntialias);
    int size = std::max(setting.Height, 2);
    font.setPixelSize(size);
    while (size > 1 && QFontMetrics(font).height() > setting.Height) font.setPixelSize(--size);
    return font;
}

TFontWidths MeasureFont(const QFont& font, int height) {
    const QFontMetrics fm(font);
    TFontWidths widths;
    widths.Height = height;
    for (int c = 0; c < 256; ++c)
        widths.Char[c] = static_cast<uint16_t>(fm.horizontalAdvance(QChar::fromLatin1(static_cast<char>(c))));
    return widths;
}

}  // namespace fretlo
