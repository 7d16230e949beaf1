// Fonts of the tablature view and their width tables, measured with QFontMetrics.
#pragma once

#include <QFont>

#include "view/layout/ViewMetrics.h"
#include "view/ViewOptions.h"

namespace fretlo {

// A font whose line height (ascent + descent) is at most the configured height,
// as large as possible: the configured height is a cell height, not an em size.
QFont MakeTabFont(const TTabFontSetting& setting);

// The cell height and the width of every Latin-1 character of `font`.
TFontWidths MeasureFont(const QFont& font, int height);

// A single-byte character of the song as text.
inline QString ByteText(uint8_t c) { return QString(QChar::fromLatin1(static_cast<char>(c))); }

}  // namespace fretlo
