#include "shell/TempoTapDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/DialogButtons.h"

namespace fretlo {

namespace {

constexpr const char* Instructions =
    "Instructions:\n\nBegin tapping a letter key (it does not matter which one) to the beat of the song. "
    "After three taps, the average tempo will be displayed. For the most accurate results, continue "
    "tapping until the progress bar is full.\n\nTo start over, stop for at least two seconds, then resume "
    "tapping. (Failing to keep a steady beat will also cause it to reset.)\n\nTo accept the tempo shown, "
    "rounded to the nearest whole number, click OK.";

bool IsLetter(const QKeyEvent& e) {
    return e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z &&
           !(e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

}  // namespace

TTempoTapForm::TTempoTapForm(QWidget* parent, TTempoTap::TClock clock)
    : QDialog(parent), tap_(std::move(clock)), average_(new QLineEdit("-", this)),
      progress_(new QProgressBar(this)) {
    setWindowTitle("Tap Tempo");
    // Only the buttons take the focus, and they leave letters to the dialog.
    average_->setReadOnly(true);
    average_->setFocusPolicy(Qt::NoFocus);
    average_->setFixedWidth(average_->fontMetrics().horizontalAdvance("000.000") + 12);
    progress_->setRange(0, TTempoTap::MaxIntervals);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setAccessibleName("Taps counted");
    auto* text = new QLabel(Instructions, this);
    text->setWordWrap(true);
    text->setFixedWidth(text->fontMetrics().averageCharWidth() * 60);

    QDialogButtonBox* buttons = MakeDialogButtons(*this, {}, 0, [this] { accept(); });
    ok_ = buttons->button(QDialogButtonBox::Ok);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    ok_->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(BuddyLabel("Average Tempo:", average_), average_);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addWidget(progress_);
    box->addWidget(text);
    box->addWidget(buttons);
    box->setSizeConstraint(QLayout::SetFixedSize);
    cancel_->setFocus();
}

void TTempoTapForm::keyPressEvent(QKeyEvent* e) {
    if (!IsLetter(*e)) return QDialog::keyPressEvent(e);
    // A held key repeats, which is no tap to the beat.
    if (!e->isAutoRepeat()) {
        tap_.Tap();
        ShowTaps();
    }
    e->accept();
}

void TTempoTapForm::ShowTaps() {
    const bool measured = tap_.Tempo().has_value();
    average_->setText(QString::fromStdString(tap_.AverageText()));
    progress_->setValue(tap_.Count());
    if (measured == ok_->isEnabled()) return;
    const bool okHadFocus = ok_->hasFocus(), cancelHadFocus = cancel_->hasFocus();
    ok_->setEnabled(measured);
    if (measured && cancelHadFocus) ok_->setFocus();
    if (!measured && okHadFocus) cancel_->setFocus();
}

void TapTempoInto(QWidget* parent, QLineEdit* field, TTempoTap::TClock clock) {
    TTempoTapForm dialog(parent, std::move(clock));
    if (dialog.exec() != QDialog::Accepted) return;
    field->setText(QString::number(dialog.Tempo()));
    if (field->hasFocus()) field->selectAll();
}

}  // namespace fretlo
