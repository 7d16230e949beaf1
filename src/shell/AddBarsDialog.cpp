#include "shell/AddBarsDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"

namespace fretlo {

TAddBarsForm::TAddBarsForm(QWidget* parent, TAddBarsCheck check, const THelpRequest& help)
    : QDialog(parent), check_(std::move(check)), count_(new QLineEdit("1", this)),
      beats_(new QLineEdit("4", this)), fraction_(new QComboBox(this)) {
    setWindowTitle("Add Bars");
    count_->setMaxLength(5);
    count_->setFixedWidth(count_->fontMetrics().horizontalAdvance("0000000") + 12);
    beats_->setMaxLength(2);
    beats_->setFixedWidth(beats_->fontMetrics().horizontalAdvance("0000") + 12);
    fraction_->addItems({"-", "1/4", "1/2", "3/4"});
    NameAfter(fraction_, "Fraction of a beat");

    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel("&Number of bars to add:", count_), 0, 0);
    grid->addWidget(count_, 0, 1);
    grid->addWidget(BuddyLabel("&Create bar lines every", beats_), 1, 0);
    grid->addWidget(beats_, 1, 1);
    grid->addWidget(fraction_, 1, 2);
    grid->addWidget(new QLabel("beats", this), 1, 3);
    grid->setColumnStretch(4, 1);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, hcAddBars, [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);
    count_->setFocus();
    count_->selectAll();
}

void TAddBarsForm::TryAccept() {
    const auto bars = ParseBarsToAdd(count_->text().toStdString());
    if (!bars) return RefuseField(this, "Number of bars must be between 1 and 10000.", count_);
    const auto beats = ParseBeats(beats_->text().toStdString());
    if (!beats) return RefuseField(this, "Value must be between 1 and 16.", beats_);
    const int barSpaces = fretlo::BarSpaces(*beats, fraction_->currentIndex());
    if (const auto refusal = check_(*bars, barSpaces))
        return RefuseField(this, QString::fromStdString(*refusal), count_);
    bars_ = *bars;
    barSpaces_ = barSpaces;
    accept();
}

}  // namespace fretlo
