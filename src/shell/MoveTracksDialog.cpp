#include "shell/MoveTracksDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/HelpContexts.h"

namespace fretlo {

TMoveTracksForm::TMoveTracksForm(QWidget* parent, int trackCount, int cursorTrack, const THelpRequest& help)
    : QDialog(parent), list_(new QListWidget(this)), up_(new QPushButton("Move &Up", this)),
      down_(new QPushButton("Move &Down", this)) {
    setWindowTitle("Move Tracks");
    for (int i = 0; i < trackCount; ++i) {
        auto* item = new QListWidgetItem(QString("Track %1").arg(i + 1), list_);
        item->setData(Qt::UserRole, i);
    }
    // Dragging an entry moves it to where it is dropped.
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->setDefaultDropAction(Qt::MoveAction);
    list_->setCurrentRow(cursorTrack);
    connect(list_, &QListWidget::currentRowChanged, this, &TMoveTracksForm::UpdateButtons);
    connect(list_->model(), &QAbstractItemModel::rowsMoved, this, &TMoveTracksForm::UpdateButtons);
    connect(up_, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveSelected(+1); });

    auto* label = new QLabel("&Tracks:", this);
    label->setBuddy(list_);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(up_);
    buttons->addWidget(down_);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    row->addLayout(buttons);
    auto* box = new QVBoxLayout(this);
    box->addWidget(label);
    box->addLayout(row, 1);
    box->addWidget(MakeDialogButtons(*this, help, hcMoveTracks, [this] { accept(); }));
    UpdateButtons();
    list_->setFocus();
}

void TMoveTracksForm::UpdateButtons() {
    const int row = list_->currentRow();
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row < list_->count() - 1);
}

void TMoveTracksForm::MoveSelected(int step) {
    const int row = list_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list_->count()) return;
    QListWidgetItem* item = list_->takeItem(row);
    list_->insertItem(target, item);
    list_->setCurrentRow(target);
}

std::vector<int> TMoveTracksForm::Order() const {
    std::vector<int> order;
    for (int i = 0; i < list_->count(); ++i) order.push_back(list_->item(i)->data(Qt::UserRole).toInt());
    return order;
}

}  // namespace fretlo
