#include "shell/AddBarsDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"

namespace fretlo {

TAddBarsForm::TAddBarsForm(QWidget* parent, TAddBarsCheck check, const THelpRequest& help)
    : QDialog(parent), check_(std::move(check)), count_(new QLineEdit("1", this)), length_(this) {
    setWindowTitle("Add Bars");
    count_->setMaxLength(5);
    count_->setFixedWidth(count_->fontMetrics().horizontalAdvance("0000000") + 12);

    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel("&Number of bars to add:", count_), 0, 0);
    grid->addWidget(count_, 0, 1);
    grid->addWidget(BuddyLabel("&Create bar lines every", length_.Beats()), 1, 0);
    length_.AddTo(*grid, 1);
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
    const auto barSpaces = length_.BarSpaces();
    if (!barSpaces) return;
    if (const auto refusal = check_(*bars, *barSpaces))
        return RefuseField(this, QString::fromStdString(*refusal), count_);
    bars_ = *bars;
    barSpaces_ = *barSpaces;
    accept();
}

}  // namespace fretlo
