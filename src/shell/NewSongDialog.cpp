#include "shell/NewSongDialog.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/MainFormRules.h"

namespace fretlo {

TBarLinesForm::TBarLinesForm(QWidget* parent, const QString& caption, int helpContext,
                             const THelpRequest& help)
    : QDialog(parent), none_(new QRadioButton("&None", this)),
      every_(new QRadioButton("&Create Every", this)), length_(this) {
    setWindowTitle(caption);
    every_->setChecked(true);

    auto* grid = new QGridLayout;
    grid->addWidget(none_, 0, 0);
    grid->addWidget(every_, 1, 0);
    length_.AddTo(*grid, 1);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, helpContext, [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);

    connect(none_, &QRadioButton::toggled, this, &TBarLinesForm::UpdateFields);
    length_.Beats()->setFocus();
    length_.Beats()->selectAll();
}

void TBarLinesForm::UpdateFields() { length_.SetEnabled(every_->isChecked()); }

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
    const auto barSpaces = length_.BarSpaces();
    if (!barSpaces) return;
    result_ = *barSpaces;
    accept();
}

std::optional<int> AskBarLines(QWidget* parent, const QString& caption, int helpContext,
                               const THelpRequest& help) {
    TBarLinesForm dialog(parent, caption, helpContext, help);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.BarSpaces();
}

}  // namespace fretlo
