#include "view/Tuner.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <algorithm>

#include "playback/MidiNames.h"

namespace fretlo {

namespace {

// The tuner under the mouse with a lit zone, if any.
TTuner* litTuner = nullptr;

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

void DrawArrow(QPainter& p, const QRect& zone, bool pointsLeft, const QColor& color) {
    const int half = std::max(2, std::min(zone.width(), zone.height()) / 4);
    const QPointF c = QRectF(zone).center();
    const qreal tip = pointsLeft ? -half : half;
    QPainterPath arrow;
    arrow.moveTo(c.x() + tip, c.y());
    arrow.lineTo(c.x() - tip, c.y() - half);
    arrow.lineTo(c.x() - tip, c.y() + half);
    arrow.closeSubpath();
    p.fillPath(arrow, color);
}

}  // namespace

TTunerFace TunerFace(int note, bool displayNumber) {
    if (note < 0 || note > 127) return {};
    if (displayNumber) return {QString::number(note), {}};
    return {Text(NoteNamesFlat[note % 12]), Text(OctaveMarks[note / 12])};
}

TTuner::TTuner(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&repeat_, &QTimer::timeout, this, &TTuner::Repeat);
}

TTuner::~TTuner() {
    if (litTuner == this) litTuner = nullptr;
}

void TTuner::SetNote(int note) {
    note = note < 0 ? -1 : std::min(note, 127);
    if (note == note_) return;
    note_ = note;
    const TTunerFace face = TunerFace(note_, displayNumber_);
    setAccessibleDescription(face.Name + face.Mark);
    update();
    emit OnChange();
}

void TTuner::SetDisplayNumber(bool on) {
    if (on == displayNumber_) return;
    displayNumber_ = on;
    const TTunerFace face = TunerFace(note_, displayNumber_);
    setAccessibleDescription(face.Name + face.Mark);
    update();
}

QSize TTuner::sizeHint() const {
    const QFontMetrics normal(font());
    const QFontMetrics bold(Bold(font()));
    const int face = std::max(bold.horizontalAdvance("Db") + normal.horizontalAdvance("+8"),
                              normal.horizontalAdvance("127"));
    return {2 * ArrowZone + face + 10, normal.height() + 8};
}

TTuner::TZone TTuner::ZoneAt(QPoint pos) const {
    if (!rect().contains(pos)) return zNone;
    if (pos.x() < ArrowZone) return zLower;
    if (pos.x() >= width() - ArrowZone) return zRaise;
    return zNone;
}

void TTuner::Step(TZone zone) {
    if (zone == zNone || note_ < 0) return;
    SetNote(std::clamp(note_ + (zone == zRaise ? 1 : -1), 0, 127));
}

void TTuner::Repeat() {
    // Steps only while the pressed zone is still under the mouse (and so lit).
    if (lit_ == pressed_) Step(pressed_);
    repeat_.setInterval(RepeatIntervalMs);
}

void TTuner::SetLit(TZone zone) {
    if (zone != zNone && litTuner && litTuner != this) litTuner->SetLit(zNone);
    if (zone != zNone)
        litTuner = this;
    else if (litTuner == this)
        litTuner = nullptr;
    if (zone == lit_) return;
    lit_ = zone;
    update();
}

bool TTuner::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const QString hint = OnHint ? OnHint(*this) : QString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), hint, this);
        return true;
    }
    return QWidget::event(e);
}

void TTuner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), pal.color(QPalette::Base));
    const QColor light = pal.color(QPalette::Highlight);
    for (const TZone zone : {zLower, zRaise}) {
        const QRect r = zone == zLower ? QRect(0, 0, ArrowZone, height())
                                       : QRect(width() - ArrowZone, 0, ArrowZone, height());
        if (zone == lit_ && isEnabled()) {
            QColor fill = light;
            fill.setAlpha(zone == pressed_ ? 110 : 55);
            p.fillRect(r, fill);
        }
        DrawArrow(p, r, zone == zLower,
                  pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    }
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(frame);

    const QRect faceRect = rect().adjusted(ArrowZone, 0, -ArrowZone, 0);
    const TTunerFace face = TunerFace(note_, displayNumber_);
    const QFont bold = Bold(font());
    const int nameWidth = QFontMetrics(bold).horizontalAdvance(face.Name);
    const int x =
        faceRect.left() + (faceRect.width() - nameWidth - fontMetrics().horizontalAdvance(face.Mark)) / 2;
    p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    p.setFont(bold);
    p.drawText(QRect(x, 0, nameWidth, height()), Qt::AlignLeft | Qt::AlignVCenter, face.Name);
    p.setFont(font());
    p.drawText(QRect(x + nameWidth, 0, faceRect.right() - x - nameWidth, height()),
               Qt::AlignLeft | Qt::AlignVCenter, face.Mark);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = faceRect.adjusted(1, 2, -1, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void TTuner::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    pressed_ = ZoneAt(e->position().toPoint());
    if (pressed_ == zNone) return;
    SetLit(pressed_);
    Step(pressed_);
    repeat_.start(RepeatDelayMs);
    update();
}

void TTuner::mouseMoveEvent(QMouseEvent* e) { SetLit(ZoneAt(e->position().toPoint())); }

void TTuner::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(e);
    pressed_ = zNone;
    repeat_.stop();
    update();
}

void TTuner::leaveEvent(QEvent*) { SetLit(zNone); }

void TTuner::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: Step(zLower); break;
    case Qt::Key_Up:
    case Qt::Key_Right: Step(zRaise); break;
    default: QWidget::keyPressEvent(e);
    }
}

}  // namespace fretlo
