#include "shell/PrintStatus.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/MainFormRules.h"

namespace fretlo {

TPrintStatusForm::TPrintStatusForm(QWidget* parent) : QDialog(parent), page_(new QLabel(this)) {
    setWindowTitle(AppTitle);
    setWindowModality(Qt::ApplicationModal);
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel("Printing:", this));
    box->addWidget(page_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &TPrintStatusForm::reject);
    box->addWidget(buttons);
    setMinimumWidth(240);
    show();
}

void TPrintStatusForm::SetStatus(const QString& text) { page_->setText(text); }

void TPrintStatusForm::reject() {
    cancelled_ = true;
    QDialog::reject();
}

bool TStatusPrintTarget::BeforePage(const std::string& status) {
    status_.SetStatus(QString::fromStdString(status));
    QCoreApplication::processEvents();
    return !status_.Cancelled();
}

}  // namespace fretlo
