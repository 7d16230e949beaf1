#include "shell/OddTimeDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "edit/AltTimeRegion.h"
#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"

namespace fretlo {

TOddTimeForm::TOddTimeForm(QWidget* parent, int selectedSpaces, const THelpRequest& help)
    : QDialog(parent), count_(selectedSpaces), thirtySecond_(new QRadioButton("&32nd note  (2:1)", this)),
      triplet_(new QRadioButton("&Triplet  (3:2)", this)), custom_(new QRadioButton("&Custom ratio:", this)),
      firstEdit_(new QLineEdit(this)), secondEdit_(new QLineEdit(this)) {
    setWindowTitle("Create Alternate-Time Region");
    for (QLineEdit* edit : {firstEdit_, secondEdit_}) {
        edit->setMaxLength(2);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("0000") + 12);
    }
    fitLabel_ = BuddyLabel("&Fit  ", firstEdit_);
    everyLabel_ = BuddyLabel("  spaces into &every  ", secondEdit_);
    NameAfter(firstEdit_, "Fit");
    NameAfter(secondEdit_, "Spaces into every");
    thirtySecond_->setChecked(true);
    Preset(2, 1);

    auto* group = new QGroupBox("Type", this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(thirtySecond_, 0, 0, 1, 5);
    grid->addWidget(triplet_, 1, 0, 1, 5);
    grid->addWidget(custom_, 2, 0, 1, 5);
    grid->addWidget(fitLabel_, 3, 0, Qt::AlignRight);
    grid->addWidget(firstEdit_, 3, 1);
    grid->addWidget(everyLabel_, 3, 2);
    grid->addWidget(secondEdit_, 3, 3);
    grid->setColumnStretch(4, 1);
    const QString selection = selectedSpaces == 1 ? QString("1 space is selected.")
                                                  : QString("%1 spaces are selected.").arg(selectedSpaces);
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel(selection, this));
    box->addWidget(group);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, hcAltTimeRegion, [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);

    connect(thirtySecond_, &QRadioButton::clicked, this, [this] { Preset(2, 1); });
    connect(triplet_, &QRadioButton::clicked, this, [this] { Preset(3, 2); });
    connect(custom_, &QRadioButton::toggled, this, &TOddTimeForm::UpdateFields);
    UpdateFields();
}

void TOddTimeForm::Preset(int first, int second) {
    firstEdit_->setText(QString::number(first));
    secondEdit_->setText(QString::number(second));
}

void TOddTimeForm::UpdateFields() {
    for (QWidget* w : std::initializer_list<QWidget*>{fitLabel_, everyLabel_, firstEdit_, secondEdit_})
        w->setEnabled(custom_->isChecked());
}

void TOddTimeForm::TryAccept() {
    for (;;) {
        const TRatioCheck check =
            CheckRatio(firstEdit_->text().toStdString(), secondEdit_->text().toStdString(), count_,
                       triplet_->isChecked());
        QLineEdit* field = check.Field == TRatioCheck::TField::First ? firstEdit_ : secondEdit_;
        switch (check.Kind) {
        case TRatioCheck::TKind::Refuse: return RefuseField(this, QString::fromStdString(check.Text), field);
        case TRatioCheck::TKind::Reduce:
            if (QMessageBox::warning(this, AppTitle, QString::fromStdString(check.Text),
                                     QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
                return;
            Preset(check.First, check.Second);
            continue;
        case TRatioCheck::TKind::Accept:
            first_ = check.First;
            second_ = check.Second;
            accept();
            return;
        }
    }
}

}  // namespace fretlo
