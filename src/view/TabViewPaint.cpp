// TTabView: painting the staves: left edge, tuning column, string lines, bar signs, spaces.
#include <QPainter>
#include <algorithm>

#include "base/MulDiv.h"
#include "document/TabDoc.h"
#include "document/TrackProps.h"
#include "view/FontWidths.h"
#include "view/TabView.h"

namespace fretlo {

namespace {

const char* const NoteNames[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

QString OpenStringLabel(const TTrackData& track, int string) {
    const int key = track.StringBaseKey(string);
    if (track.ShowNumbers) return QString::number(key);
    return QString::fromLatin1(NoteNames[((key % 12) + 12) % 12]);
}

}  // namespace

void TTabView::FillRect(QPainter& p, int left, int top, int right, int bottom, const QColor& color) {
    p.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), color);
}

void TTabView::DrawLine(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color) {
    // Lines along an axis are filled rectangles: crisp at any device pixel ratio.
    if (x1 == x2 || y1 == y2) {
        p.fillRect(
            QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
            color);
        return;
    }
    p.setPen(color);
    p.drawLine(x1, y1, x2, y2);
}

void TTabView::DrawCentred(QPainter& p, const QString& text, int centreX, int top, const QFont& font,
                           bool opaque) {
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text);
    const int left = centreX - w / 2;
    const int textTop = top + (Metrics().LineHeight - fm.height()) / 2;
    if (opaque) FillRect(p, left, textTop, left + w - 1, textTop + fm.height() - 1, Color(tcBkg));
    p.setFont(font);
    p.drawText(left, textTop + fm.ascent(), text);
}

void TTabView::Paint(QPainter& p, const QRect& area, const TPaintLimits& limits) {
    TCustomTabDoc* doc = Document();
    if (!doc || doc->BarCount() == 0 || layout_.FirstShownTrack() < 0) return;
    layout_.EnsureLaidOut(doc->BarCount() - 1, scrollOffset_ + width());
    p.save();
    p.setFont(normalFont_);
    PaintLeftEdge(p, limits);
    QRect clip = area;
    const int left = limits.Printing ? std::max(VisibleLeftEdge(), 1) : VisibleLeftEdge();
    if (left > 0) {
        // A printed row that does not start the song has its left edge line but no tuning.
        if (VisibleLeftEdge() > 0) PaintTuning(p, clip);
        clip.setLeft(std::max(clip.left(), left));
    }
    p.setClipRect(clip, Qt::IntersectClip);
    const int margin = Metrics().TrackMargin;
    int lineRight = std::min(StringLinesRight(), width() - 1);
    if (limits.LinesRight) lineRight = std::min(lineRight, *limits.LinesRight - scrollOffset_);
    for (int t = 0; t < doc->TrackCount(); ++t) {
        const TTrackBand& band = layout_.Band(t);
        if (!layout_.TrackShown(t) || band.BandBottom + margin <= clip.top() ||
            band.BandTop - margin > clip.bottom())
            continue;
        for (int s = 0; s < doc->Track(t).StringCount; ++s) {
            const int y = StringLineY(band, Metrics(), s);
            DrawLine(p, left, y, lineRight, y, Color(tcTabLine));
        }
        PaintBarSigns(p, t, clip, limits);
        PaintSpaces(p, t, clip, limits);
    }
    p.restore();
}

// The staff's left edge, one line down through all shown tracks.
void TTabView::PaintLeftEdge(QPainter& p, const TPaintLimits& limits) {
    const int left = limits.Printing ? std::max(VisibleLeftEdge(), 1) : VisibleLeftEdge();
    if (left <= 0 || (options_.TuningAlwaysVisible && scrollOffset_ != 0 && !limits.Printing)) return;
    const int first = layout_.FirstShownTrack();
    const int last = layout_.LastShownTrack();
    const int top = StringLineY(layout_.Band(first), Metrics(), Document()->Track(first).StringCount - 1);
    const int bottom = StringLineY(layout_.Band(last), Metrics(), 0);
    DrawLine(p, left - 1, top, left - 1, bottom, Color(tcTabLine));
}

void TTabView::PaintTuning(QPainter& p, const QRect& clip) {
    const int x = VisibleLeftEdge() - Metrics().TuningColumnWidth + 3;
    const QFontMetrics fm(tuningFont_);
    p.setFont(tuningFont_);
    p.setPen(Color(tcTextTuning));
    for (int t = 0; t < Document()->TrackCount(); ++t) {
        const TTrackBand& band = layout_.Band(t);
        if (!layout_.TrackShown(t) || band.StringBottom <= clip.top() || band.StringTop > clip.bottom())
            continue;
        const TTrackData& track = Document()->Track(t);
        for (int s = 0; s < track.StringCount; ++s) {
            const int top = StringCellTop(band, Metrics(), s) + (Metrics().LineHeight - fm.height()) / 2;
            p.drawText(x, top + fm.ascent(), OpenStringLabel(track, s));
        }
    }
}

// Right end of the string lines: the end of the last bar, or of the window while it is not laid out.
int TTabView::StringLinesRight() {
    const int n = layout_.BarCount();
    if (layout_.LaidOutUpTo() < n) return width() - 1;
    const TBarLayout& last = layout_.Bar(n - 1);
    return last.X + last.Width - 1 - scrollOffset_;
}

void TTabView::PaintBarSigns(QPainter& p, int track, const QRect& clip, const TPaintLimits& limits) {
    const TCustomTabDoc& doc = *Document();
    for (int b = FirstVisibleBar(); b < layout_.LaidOutUpTo(); ++b) {
        const TBarLayout& rec = layout_.Bar(b);
        const int x = rec.X - scrollOffset_;
        if (x > clip.right() || x >= width()) break;
        if (doc.Bar(b).Start >= limits.EndTime) break;
        // A bar split across printed rows closes in the row that holds its end.
        if (x + rec.Width <= clip.left() || doc.BarEnd(b) <= limits.StartTime) continue;
        PaintBar(p, track, b, clip, limits);
    }
}

void TTabView::PaintBar(QPainter& p, int track, int b, const QRect& clip, const TPaintLimits& limits) {
    const TCustomTabDoc& doc = *Document();
    const TBar& bar = doc.Bar(b);
    const TBarLayout& rec = layout_.Bar(b);
    const TTrackBand& band = layout_.Band(track);
    const int top = StringLineY(band, Metrics(), doc.Track(track).StringCount - 1);
    const int bottom = StringLineY(band, Metrics(), 0);
    const QColor ink = Color(tcBarLine);
    const int x = rec.X - scrollOffset_;
    const bool last = b == doc.BarCount() - 1;
    if (bar.RepeatStart && x + 8 >= clip.left() && bar.Start >= limits.StartTime) {
        FillRect(p, x - 1, top, x + 1, bottom, ink);
        DrawLine(p, x + 4, top, x + 4, bottom, ink);
        PaintRepeatDots(p, track, x + 7, ink);
    }
    if (doc.BarEnd(b) > limits.EndTime) return;
    const int lineX = x + rec.Width - rec.BreakExtra - rec.BarLineWidth;
    if (!bar.RepeatEnd) {
        DrawLine(p, lineX, top, lineX, bottom, ink);
        if (last) FillRect(p, lineX + 3, top, lineX + 5, bottom, ink);
    } else {
        p.setPen(Color(tcTextTrackEffect));
        p.setFont(smallFont_);
        const QFontMetrics fm(smallFont_);
        const QString count = QString::number(bar.RepeatCount);
        p.drawText(lineX + rec.BarLineWidth / 2 - fm.horizontalAdvance(count) / 2, top - fm.descent(),
                   count);
        const int end = lineX + rec.BarLineWidth - 1;
        PaintRepeatDots(p, track, end - 9, ink);
        DrawLine(p, end - 5, top, end - 5, bottom, ink);
        FillRect(p, end - 2, top, end, bottom, ink);
    }
    if (!last && doc.Bar(b + 1).StaffBreak)
        DrawLine(p, x + rec.Width - 1, top, x + rec.Width - 1, bottom, ink);
}

// Two dots, 2 pixels wide from `left` and 3 high, between the middle string lines.
void TTabView::PaintRepeatDots(QPainter& p, int track, int left, const QColor& color) {
    const TTrackBand& band = layout_.Band(track);
    const int strings = Document()->Track(track).StringCount;
    const int lh = Metrics().LineHeight;
    for (const int sixths : {2, 4}) {
        const int y = band.StringTop + MulDiv(sixths * lh, strings, 6);
        FillRect(p, left, y - 1, left + 1, y + 1, color);
    }
}

void TTabView::PaintSpaces(QPainter& p, int track, const QRect& clip, const TPaintLimits& limits) {
    TCustomTabDoc& doc = *Document();
    TTrackData& data = doc.Track(track);
    const int32_t* times = data.SpaceTimes();
    int b = FirstVisibleBar();
    for (int s = doc.SpaceAtTime(track, doc.Bar(b).Start, satNoClamp); s < data.SpaceCount(); ++s) {
        const int32_t time = times[s];
        while (b + 1 < doc.BarCount() && doc.Bar(b + 1).Start <= time) ++b;
        if (b >= layout_.LaidOutUpTo() || time >= limits.EndTime) break;
        if (time < limits.StartTime) continue;
        const TSpaceLayout& rec = layout_.Space(track, s);
        const int x = layout_.Bar(b).X + rec.X - scrollOffset_;
        if (x > clip.right() || x >= width()) break;
        if (x + rec.Width <= clip.left()) continue;
        DrawSpace(p, track, s, x, true);
        PaintTrackExtras(p, track, s, x);
    }
}

// The track-effect letter and the text-line characters of a space.
void TTabView::PaintTrackExtras(QPainter& p, int track, int space, int x) {
    const TTrackData& data = Document()->Track(track);
    const TSpace& sp = data.Space(space);
    const TSpaceLayout& rec = layout_.Space(track, space);
    const TTrackBand& band = layout_.Band(track);
    const int centre = x + rec.PreWidth + rec.ContentWidth / 2;
    if (const char letter = PropLetter(sp)) {
        p.setPen(Color(tcTextTrackEffect));
        p.setFont(smallFont_);
        const QFontMetrics fm(smallFont_);
        const QString text(QChar::fromLatin1(letter));
        p.drawText(centre - fm.horizontalAdvance(text) / 2, band.EffectLineY + 1 + fm.ascent(), text);
    }
    p.setPen(Color(tcTextBlankLine));
    if (data.TopTextLine && sp.TopText)
        DrawCentred(p, ByteText(sp.TopText), centre, band.TopTextY, normalFont_, false);
    if (data.BottomTextLine && sp.BottomText)
        DrawCentred(p, ByteText(sp.BottomText), centre, band.BottomTextY, normalFont_, false);
}

}  // namespace fretlo
