#include "shell/SliderBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>

#include "shell/MainFormRules.h"

namespace fretlo {

TSliderBox::TSliderBox(const TSliderRange& range, QWidget* parent)
    : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this)), box_(new QLineEdit(this)) {
    slider_->setTickPosition(QSlider::TicksBelow);
    box_->installEventFilter(this);
    SetRange(range);
    ShowValue();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(slider_, 1);
    row->addWidget(box_);
    setFocusProxy(slider_);

    connect(slider_, &QSlider::valueChanged, this, [this](int value) {
        if (!box_->hasFocus()) ShowValue();
        emit ValueChanged(value);
    });
    connect(box_, &QLineEdit::textEdited, this, [this](const QString& text) {
        slider_->setValue(static_cast<int>(std::clamp<long long>(
            ParseWholeNumber(text.toStdString()).value_or(0), slider_->minimum(), slider_->maximum())));
    });
}

int TSliderBox::Value() const { return slider_->value(); }

void TSliderBox::SetValue(int value) { slider_->setValue(value); }

void TSliderBox::SetRange(const TSliderRange& range) {
    const QSignalBlocker quiet(slider_);
    slider_->setRange(range.Min, range.Max);
    slider_->setTickInterval(range.TickInterval);
    slider_->setPageStep(range.PageStep);
    box_->setMaxLength(range.MaxLength);
    box_->setFixedWidth(box_->fontMetrics().horizontalAdvance(QString(range.MaxLength + 1, '0')) + 12);
    ShowValue();
}

void TSliderBox::SetAccessibleName(const QString& name) {
    slider_->setAccessibleName(name);
    box_->setAccessibleName(name);
}

void TSliderBox::ShowValue() { box_->setText(QString::number(slider_->value())); }

bool TSliderBox::eventFilter(QObject* watched, QEvent* e) {
    if (watched == box_ && e->type() == QEvent::FocusOut) ShowValue();
    return QWidget::eventFilter(watched, e);
}

}  // namespace fretlo
