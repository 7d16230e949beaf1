// TMainForm and the other starts of the program: files handed over by a second start, and the
// first-run song folders.
#include <QApplication>
#include <QMessageBox>

#include "platform/qt/InstanceChannel.h"
#include "shell/Main.h"
#include "shell/MainFormRules.h"
#include "shell/SongFolders.h"
#include "view/TabEditorView.h"

namespace fretlo {

// Refused while a modal dialog is open: the file would replace the song under it.
bool TMainForm::AcceptHandOver() {
    if (!settings_.UseSameInst || QApplication::activeModalWidget()) return false;
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    return true;
}

void TMainForm::OpenHandedOverFile(const QString& fileName) {
    Guarded([&] {
        View_->StopPlaying();
        if (ConfirmDiscard()) OpenFile(fileName);
    });
}

void TMainForm::SetUpSongFolders() {
    const TSongFolders folders = ProgramSongFolders();
    {
        TConfigIniFile store(configFile_);
        InstallDemoSongs(folders, store);
    }
    MigrateSongFolder(folders, [](const QString& question) {
        return QMessageBox::question(nullptr, AppTitle, question, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    });
}

}  // namespace fretlo
