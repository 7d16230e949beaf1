#include "shell/ToolbarGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace fretlo {

namespace {

// A small palette shared by the glyphs, so they read as one set.
const QColor Outline(0x44, 0x4a, 0x55);
const QColor Paper(0xfb, 0xfb, 0xfb);
const QColor Blue(0x2f, 0x6f, 0xc4);
const QColor Green(0x2e, 0x9d, 0x3f);
const QColor Red(0xc8, 0x32, 0x2b);
const QColor Yellow(0xf2, 0xc1, 0x4e);
const QColor Brown(0xa8, 0x74, 0x3a);
const QColor Grey(0x9a, 0xa1, 0xab);

void Page(QPainter& p, QRectF r, qreal fold = 3.5) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(Outline, 1));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step = 2) {
    p.setPen(QPen(Grey, 1));
    for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void Triangle(QPainter& p, qreal left, qreal top, qreal width, qreal height, const QColor& color,
              bool right) {
    QPainterPath path;
    const qreal tip = right ? left + width : left;
    const qreal base = right ? left : left + width;
    path.moveTo(base, top);
    path.lineTo(tip, top + height / 2);
    path.lineTo(base, top + height);
    path.closeSubpath();
    p.setPen(QPen(color.darker(130), 1));
    p.setBrush(color);
    p.drawPath(path);
}

void DrawTrackProperties(QPainter& p) {
    p.setPen(QPen(Outline, 1));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(1.5, 3.5 + 3 * i), QPointF(14.5, 3.5 + 3 * i));
    p.setPen(QPen(Blue.darker(130), 1));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(5.5, 1.5, 3, 13), 1, 1);
    p.drawRoundedRect(QRectF(10.5, 5.5, 3, 7), 1, 1);
}

void DrawNew(QPainter& p) { Page(p, QRectF(3.5, 1.5, 9, 13)); }

void DrawOpen(QPainter& p) {
    p.setPen(QPen(Brown, 1));
    p.setBrush(Yellow.darker(110));
    p.drawRect(QRectF(1.5, 3.5, 12, 10));
    p.setBrush(Yellow);
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(4.5, 6.5);
    front.lineTo(15.5, 6.5);
    front.lineTo(12.5, 13.5);
    front.closeSubpath();
    p.drawPath(front);
}

void DrawSave(QPainter& p) {
    p.setPen(QPen(Blue.darker(150), 1));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(Blue.darker(150));
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

void Printer(QPainter& p) {
    Page(p, QRectF(4.5, 1.5, 7, 6), 0);
    p.setPen(QPen(Outline, 1));
    p.setBrush(Grey);
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

void DrawPrint(QPainter& p) { Printer(p); }

void DrawPrintPreview(QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 9, 13));
    TextLines(p, 3.5, 8.5, 4.5, 3);
    p.setPen(QPen(Outline, 1.5));
    p.setBrush(QColor(0xd8, 0xe8, 0xfa));
    p.drawEllipse(QPointF(9.5, 9), 3.2, 3.2);
    p.setPen(QPen(Outline, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.8, 11.5), QPointF(14.5, 14.5));
}

void DrawCut(QPainter& p) {
    p.setPen(QPen(Outline, 1.2));
    p.drawLine(QPointF(4.5, 1.5), QPointF(10.5, 11));
    p.drawLine(QPointF(11.5, 1.5), QPointF(5.5, 11));
    p.setPen(QPen(Red, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
}

void DrawCopy(QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 8, 10), 2.5);
    Page(p, QRectF(6.5, 4.5, 8, 10), 2.5);
    TextLines(p, 8.5, 12.5, 8.5, 3);
}

void DrawPaste(QPainter& p) {
    p.setPen(QPen(Brown.darker(130), 1));
    p.setBrush(Brown);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12), 1, 1);
    Page(p, QRectF(4.5, 4.5, 7, 9), 0);
    TextLines(p, 5.5, 10.5, 7.5, 3);
    p.setPen(QPen(Outline, 1));
    p.setBrush(Grey);
    p.drawRect(QRectF(5.5, 1.5, 5, 2));
}

void DrawUndo(QPainter& p) {
    QPainterPath arc;
    arc.moveTo(4, 7);
    arc.cubicTo(7, 3.5, 13.5, 4.5, 13.5, 9.5);
    arc.cubicTo(13.5, 12, 11.5, 13.5, 9, 13.5);
    p.setPen(QPen(Blue, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(1, 8.5);
    head.lineTo(6.5, 3.5);
    head.lineTo(7, 10);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawPath(head);
}

void DrawClear(QPainter& p) {
    p.setPen(QPen(Red, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void DrawTitle(QPainter& p) {
    Page(p, QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(Blue, 2));
    p.drawLine(QPointF(5, 4.5), QPointF(11, 4.5));
    p.drawLine(QPointF(8, 4.5), QPointF(8, 8.5));
    TextLines(p, 4.5, 11.5, 10.5, 2);
}

void DrawPlay(QPainter& p) { Triangle(p, 3.5, 2.5, 10, 11, Green, true); }

void DrawPlayAll(QPainter& p) {
    p.setPen(QPen(Outline, 1));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(0.5, 4.5 + 3 * i), QPointF(4.5, 4.5 + 3 * i));
    Triangle(p, 6.5, 2.5, 9, 11, Green, true);
}

void DrawStop(QPainter& p) {
    p.setPen(QPen(Red.darker(130), 1));
    p.setBrush(Red);
    p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1, 1);
}

void DrawMetronome(QPainter& p) {
    QPainterPath body;
    body.moveTo(5.5, 1.5);
    body.lineTo(10.5, 1.5);
    body.lineTo(13.5, 14.5);
    body.lineTo(2.5, 14.5);
    body.closeSubpath();
    p.setPen(QPen(Brown.darker(140), 1));
    p.setBrush(Brown);
    p.drawPath(body);
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 10.5, 7, 2));
    p.setPen(QPen(Outline, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 11), QPointF(12.5, 3));
    p.setBrush(Yellow);
    p.drawEllipse(QPointF(11, 5.8), 1.4, 1.4);
}

void DrawHelpTopics(QPainter& p) {
    p.setPen(QPen(Blue.darker(140), 1));
    p.setBrush(Blue);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, "?");
}

void DrawRewindAfterStop(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Outline);
    p.drawRect(QRectF(1.5, 3.5, 2, 9));
    Triangle(p, 4, 3.5, 5.5, 9, Blue, false);
    Triangle(p, 9.5, 3.5, 5.5, 9, Blue, false);
}

// A selection bracket with an arrow bending back from its end to its start.
void DrawLoopSelection(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Yellow);
    p.drawRect(QRectF(2.5, 8.5, 11, 5));
    p.setPen(QPen(Outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 8.5, 11, 5));
    QPainterPath arc;
    arc.moveTo(12.5, 7);
    arc.cubicTo(12.5, 1.5, 5, 1.5, 4.5, 5);
    p.setPen(QPen(Blue, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    Triangle(p, 2, 4.5, 5, 3.5, Blue, false);
}

using TDraw = void (*)(QPainter&);
constexpr std::array<TDraw, ToolbarGlyphCount> Painters = {
    DrawTrackProperties,
    DrawNew,
    DrawOpen,
    DrawSave,
    DrawPrint,
    DrawPrintPreview,
    DrawCut,
    DrawCopy,
    DrawPaste,
    DrawUndo,
    DrawClear,
    DrawTitle,
    DrawPlay,
    DrawPlayAll,
    DrawStop,
    DrawMetronome,
    DrawHelpTopics,
    DrawRewindAfterStop,
    DrawLoopSelection,
};

QPixmap GlyphPixmap(TToolbarGlyph glyph, int scale) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    Painters[glyph](p);
    return pixmap;
}

void DrawApplication(QPainter& p, int size) {
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(Blue.darker(150), 1));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    p.setPen(QPen(Paper, 1.2));
    for (int i = 0; i < 6; ++i) p.drawLine(QPointF(5, 7.5 + 3.5 * i), QPointF(27, 7.5 + 3.5 * i));
    p.setPen(Qt::NoPen);
    p.setBrush(Yellow);
    p.drawRoundedRect(QRectF(15, 12, 9, 11), 2, 2);
    QFont font("DejaVu Sans");
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Outline);
    p.drawText(QRectF(15, 12, 9, 11), Qt::AlignCenter, "7");
}

}  // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        DrawApplication(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon ToolbarIcon(TToolbarGlyph glyph) {
    QIcon icon;
    for (const int scale : {1, 2}) icon.addPixmap(GlyphPixmap(glyph, scale));
    return icon;
}

}  // namespace fretlo
