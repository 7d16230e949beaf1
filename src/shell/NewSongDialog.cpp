#include "shell/NewSongDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/MainFormRules.h"

namespace fretlo {

TBarLinesForm::TBarLinesForm(QWidget* parent, const QString& caption, int helpContext,
                             const THelpRequest& help)
    : QDialog(parent), none_(new QRadioButton("&None", this)),
      every_(new QRadioButton("&Create Every", this)), beats_(new QLineEdit("4", this)),
      fraction_(new QComboBox(this)) {
    setWindowTitle(caption);
    fraction_->addItems({"-", "1/4", "1/2", "3/4"});
    beats_->setMaxLength(2);
    beats_->setFixedWidth(beats_->fontMetrics().horizontalAdvance("0000") + 12);
    every_->setChecked(true);
    NameAfter(beats_, "Beats");
    NameAfter(fraction_, "Fraction of a beat");

    auto* grid = new QGridLayout;
    grid->addWidget(none_, 0, 0);
    grid->addWidget(every_, 1, 0);
    grid->addWidget(beats_, 1, 1);
    grid->addWidget(fraction_, 1, 2);
    grid->addWidget(new QLabel("beats", this), 1, 3);
    grid->setColumnStretch(4, 1);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, helpContext, [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);

    connect(none_, &QRadioButton::toggled, this, &TBarLinesForm::UpdateFields);
    beats_->setFocus();
    beats_->selectAll();
}

void TBarLinesForm::UpdateFields() {
    beats_->setEnabled(every_->isChecked());
    fraction_->setEnabled(every_->isChecked());
}

void TBarLinesForm::TryAccept() {
    if (none_->isChecked()) {
        const auto answer = QMessageBox::warning(
            this, AppTitle, "Not having bar lines may result in decreased performance. Continue anyway?",
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes) return;
        result_ = 0;
        accept();
        return;
    }
    const auto beats = ParseBeats(beats_->text().toStdString());
    if (!beats) {
        RefuseField(this, "Value must be between 1 and 16.", beats_);
        return;
    }
    result_ = fretlo::BarSpaces(*beats, fraction_->currentIndex());
    accept();
}

std::optional<int> AskBarLines(QWidget* parent, const QString& caption, int helpContext,
                               const THelpRequest& help) {
    TBarLinesForm dialog(parent, caption, helpContext, help);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.BarSpaces();
}

}  // namespace fretlo
