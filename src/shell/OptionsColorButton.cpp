#include "shell/OptionsColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace fretlo {

namespace {

QColor ToQColor(TColorRef c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

TColorRef ToColorRef(const QColor& c) {
    return TColorRef(c.red()) | TColorRef(c.green()) << 8 | TColorRef(c.blue()) << 16;
}

}  // namespace

TColorButton::TColorButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(QSize(48, 14));
    connect(this, &QPushButton::clicked, this, &TColorButton::Choose);
    SetColor(0);
}

void TColorButton::SetColor(TColorRef color) {
    color_ = color;
    QPixmap swatch(iconSize());
    swatch.fill(ToQColor(color));
    QPainter frame(&swatch);
    frame.setPen(palette().color(QPalette::WindowText));
    frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    setIcon(QIcon(swatch));
}

void TColorButton::Pick(TColorRef color) {
    SetColor(color);
    emit Picked();
}

void TColorButton::Choose() {
    const QColor chosen = QColorDialog::getColor(ToQColor(color_), this);
    if (chosen.isValid() && ToColorRef(chosen) != color_) Pick(ToColorRef(chosen));
}

}  // namespace fretlo
