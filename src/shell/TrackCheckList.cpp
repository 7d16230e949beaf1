#include "shell/TrackCheckList.h"

#include "shell/DialogButtons.h"

namespace fretlo {

TTrackCheckList::TTrackCheckList(int trackCount, QWidget* parent) : QListWidget(parent) {
    for (int i = 0; i < trackCount; ++i) {
        auto* item = new QListWidgetItem(QString("Track %1").arg(i + 1), this);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    setCurrentRow(0);
    const int rows = std::min(trackCount, 8);
    setMinimumHeight(sizeHintForRow(0) * std::max(rows, 4) + 2 * frameWidth());
}

std::bitset<MaxTracks> TTrackCheckList::Checked() const {
    std::bitset<MaxTracks> checked;
    for (int i = 0; i < count() && i < MaxTracks; ++i) checked[i] = item(i)->checkState() == Qt::Checked;
    return checked;
}

bool TTrackCheckList::AcceptChoice() {
    if (Checked().any()) return true;
    RefuseField(parentWidget(), "At least one track must be checked.", this);
    return false;
}

}  // namespace fretlo
