#include "shell/TempoDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"
#include "shell/MainFormRules.h"
#include "shell/TempoTapDialog.h"

namespace fretlo {

TTempoForm::TTempoForm(QWidget* parent, int tempo, const THelpRequest& help, TTempoTap::TClock tapClock)
    : QDialog(parent), edit_(new QLineEdit(QString::number(tempo), this)), tempo_(tempo) {
    setWindowTitle("Tempo");
    edit_->setMaxLength(3);
    edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance("00000") + 12);
    auto* label = new QLabel("Te&mpo:", this);
    label->setBuddy(edit_);
    auto* tap = new QPushButton("T&ap...", this);
    tap->setAutoDefault(false);
    connect(tap, &QPushButton::clicked, this,
            [this, tapClock = std::move(tapClock)] { TapTempoInto(this, edit_, tapClock); });

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit_);
    row->addWidget(new QLabel("beats per minute", this));
    row->addStretch(1);
    row->addWidget(tap);
    auto* box = new QVBoxLayout(this);
    box->addLayout(row);
    box->addSpacing(8);
    box->addWidget(MakeDialogButtons(*this, help, hcTempo, [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);
    edit_->selectAll();
}

void TTempoForm::TryAccept() {
    const auto tempo = ParseTempo(edit_->text().toStdString());
    if (!tempo) {
        RefuseField(this, QString::fromStdString(TempoRangeMessage()), edit_);
        return;
    }
    tempo_ = *tempo;
    accept();
}

}  // namespace fretlo
