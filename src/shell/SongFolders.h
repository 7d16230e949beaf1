// First-run housekeeping of the main window's construction: the demo songs copied into the
// user's tabs folder once per installation, and songs of an old "Songs" folder beside the
// program offered a move into the tabs folder.
#pragma once

#include <QString>
#include <functional>

#include "shell/ConfigValues.h"

namespace fretlo {

struct TSongFolders {
    QString DataFolder;     // the program's data folder: "Demo Songs" and the "install-time" stamp
    QString ProgramFolder;  // the folder of the program, where an old "Songs" folder may be
    QString TabsFolder;     // "<doc>/Fretlo Tabs" expanded; empty without a documents folder
};

// The folders of the running program and its user.
TSongFolders ProgramSongFolders();

// Copies the demo songs into "<TabsFolder>/Demo Songs" when the installation's stamp is newer
// than the "LastInstallTime" kept in `userStore` (which then takes the stamp, before the copy,
// so a failed copy is not tried again). A song already there is kept: it may be the user's.
void InstallDemoSongs(const TSongFolders& folders, TConfigValues& userStore);

extern const char* const MigrationQuestion;

// Removes the old demo songs from "<ProgramFolder>/Songs" and, when other files remain, asks
// `ask` (with MigrationQuestion) whether to move them into the tabs folder. A file whose name
// is taken in the tabs folder stays where it is.
void MigrateSongFolder(const TSongFolders& folders, const std::function<bool(const QString&)>& ask);

}  // namespace fretlo
