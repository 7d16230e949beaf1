#include "shell/RemoveOddTimeDialog.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"

namespace fretlo {

TRemoveOddTimeForm::TRemoveOddTimeForm(QWidget* parent, const TRegionToRemove& region, TShowRange show,
                                       const THelpRequest& help)
    : QDialog(parent), region_(region), show_(std::move(show)),
      entire_(new QRadioButton("&Remove the entire region", this)),
      part_(new QRadioButton("Remove only the &portion under the cursor", this)) {
    setWindowTitle("Remove Alternate-Time Region");
    entire_->setChecked(true);
    auto* group = new QGroupBox("Scope", this);
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(entire_);
    choices->addWidget(part_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(group);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, hcAltTimeRegion, [this] { accept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);
    connect(entire_, &QRadioButton::clicked, this, &TRemoveOddTimeForm::ShowChoice);
    connect(part_, &QRadioButton::clicked, this, &TRemoveOddTimeForm::ShowChoice);
    ShowChoice();
}

bool TRemoveOddTimeForm::Entire() const { return entire_->isChecked(); }

void TRemoveOddTimeForm::ShowChoice() {
    if (Entire())
        show_(region_.RegionStart, region_.RegionEnd);
    else
        show_(region_.PartStart, region_.PartEnd);
}

}  // namespace fretlo
