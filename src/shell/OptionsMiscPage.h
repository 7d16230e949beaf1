// The "Misc." page of the Options dialog: the folder the Open and Save dialogs start in, the
// file association, the single-instance switch and the display switches of the view.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "shell/Settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace fretlo {

class TOptionsMiscPage : public QWidget {
    Q_OBJECT
public:
    // `associated`: whether .frl files open with this program; nothing disables the box.
    TOptionsMiscPage(QWidget* parent, const TSettings& settings, std::optional<bool> associated);

    // `DefaultPath` and the switches of this page go to `settings`.
    void Store(TSettings& settings) const;
    bool Associated() const;

    QCheckBox& FolderCheck() const { return *folderCheck_; }
    QLineEdit& FolderEdit() const { return *folderEdit_; }

private:
    struct TSwitch {
        QCheckBox* Box;
        bool TSettings::*Setting;
    };

    void BrowseClick();
    void UpdateFolder();
    QCheckBox* AddSwitch(QWidget* group, const char* caption, bool TSettings::*setting,
                         const TSettings& settings);

    QCheckBox* folderCheck_;
    QLineEdit* folderEdit_;
    QPushButton* browse_;
    QCheckBox* associate_;
    std::vector<TSwitch> switches_;
};

}  // namespace fretlo
