// TMoveTracksForm: the "Move Tracks" dialog, putting the tracks in a new order with the
// Move Up / Move Down buttons or by dragging an entry.
#pragma once

#include <QDialog>
#include <vector>

#include "shell/DialogButtons.h"

class QListWidget;
class QPushButton;

namespace fretlo {

class TMoveTracksForm : public QDialog {
    Q_OBJECT
public:
    TMoveTracksForm(QWidget* parent, int trackCount, int cursorTrack, const THelpRequest& help);

    // The tracks' indexes before the move, in their new order.
    std::vector<int> Order() const;
    // Moves the selected entry one place up (-1) or down (+1), keeping it selected.
    void MoveSelected(int step);

private:
    void UpdateButtons();

    QListWidget* list_;
    QPushButton* up_;
    QPushButton* down_;
};

}  // namespace fretlo
