#include "shell/BarLengthFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "shell/DialogButtons.h"
#include "shell/MainFormRules.h"

namespace fretlo {

TBarLengthFields::TBarLengthFields(QWidget* dialog)
    : dialog_(dialog), beats_(new QLineEdit("4", dialog)), fraction_(new QComboBox(dialog)) {
    beats_->setMaxLength(2);
    beats_->setFixedWidth(beats_->fontMetrics().horizontalAdvance("0000") + 12);
    fraction_->addItems({"-", "1/4", "1/2", "3/4"});
    NameAfter(beats_, "Beats");
    NameAfter(fraction_, "Fraction of a beat");
}

void TBarLengthFields::AddTo(QGridLayout& grid, int row) const {
    grid.addWidget(beats_, row, 1);
    grid.addWidget(fraction_, row, 2);
    grid.addWidget(new QLabel("beats", dialog_), row, 3);
    grid.setColumnStretch(4, 1);
}

void TBarLengthFields::SetEnabled(bool enabled) const {
    beats_->setEnabled(enabled);
    fraction_->setEnabled(enabled);
}

std::optional<int> TBarLengthFields::BarSpaces() const {
    const auto beats = ParseBeats(beats_->text().toStdString());
    if (!beats) {
        RefuseField(dialog_, "Value must be between 1 and 16.", beats_);
        return std::nullopt;
    }
    return fretlo::BarSpaces(*beats, fraction_->currentIndex());
}

}  // namespace fretlo
