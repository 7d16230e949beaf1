// TTabView: drawing the notes and effect characters of one space.
#include <QPainter>

#include "document/TabDoc.h"
#include "view/FontWidths.h"
#include "view/TabView.h"

namespace fretlo {

namespace {

QString NoteText(uint8_t note) {
    if (note == NoteEmpty) return {};
    if (note == NoteMuted) return QStringLiteral("x");
    if (note == NoteStop) return QStringLiteral("*");
    if (IsFretNote(note)) return QString::number(note - NoteFretBase);
    return QStringLiteral("?");
}

// The character that closes an effect after the number, or 0.
uint8_t ClosingCharacter(uint8_t effect) {
    switch (effect) {
    case '(': return ')';
    case '<': return '>';
    case '{': return '}';
    case '^':
    case '~': return effect;
    default: return 0;
    }
}

}  // namespace

void TTabView::DrawSpace(QPainter& p, int track, int space, int x, bool withEffects) {
    const TTrackData& data = Document()->Track(track);
    const TSpace& sp = data.Space(space);
    const TSpaceLayout& rec = layout_.Space(track, space);
    const TTrackBand& band = layout_.Band(track);
    const TFontWidths& widths = Metrics().Normal;
    const bool opaque = !options_.DrawNumbersTransparently;
    const bool highlighted = options_.HighlightNotes && highlight_[track] == space;
    for (int s = 0; s < data.StringCount; ++s) {
        const int top = StringCellTop(band, Metrics(), s);
        const uint8_t effect = sp.Effects[s];
        if (withEffects && effect) {
            p.setPen(Color(tcTextEffect));
            if (effect != '^' && effect != '~') {
                const int w = widths.Width(effect);
                DrawCentred(p, ByteText(effect), x + rec.PreWidth - w + w / 2, top, normalFont_, opaque);
            }
            if (const uint8_t closing = ClosingCharacter(effect)) {
                const int left = x + rec.PreWidth + rec.ContentWidth;
                DrawCentred(p, ByteText(closing), left + widths.Width(closing) / 2, top, normalFont_, opaque);
            }
        }
        const QString text = NoteText(sp.Notes[s]);
        if (text.isEmpty()) continue;
        p.setPen(Color(highlighted ? tcHighlightText : tcText));
        DrawCentred(p, text, x + rec.PreWidth + rec.ContentWidth / 2, top, normalFont_, opaque);
    }
}

}  // namespace fretlo
