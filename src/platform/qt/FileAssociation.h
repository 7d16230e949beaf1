// The ".frl" file association, made the freedesktop way for the current user: a MIME package
// declaring "application/x-fretlo-tablature" for *.frl, a desktop entry that opens such files
// with this program, and that entry as the type's default application in mimeapps.list.
#pragma once

#include <QString>

namespace fretlo {

inline constexpr const char* SongMimeType = "application/x-fretlo-tablature";

// Where the user's association lives.
struct TAssociationFiles {
    QString MimeFolder;          // ~/.local/share/mime (its packages/ holds ours)
    QString ApplicationsFolder;  // ~/.local/share/applications
    QString MimeApps;            // ~/.config/mimeapps.list

    QString MimePackage() const;   // <MimeFolder>/packages/fretlo.xml
    QString DesktopEntry() const;  // <ApplicationsFolder>/fretlo.desktop
};

// The folders of the user's data and configuration (XDG_DATA_HOME, XDG_CONFIG_HOME, HOME).
TAssociationFiles UserAssociationFiles();

// The desktop entry's Exec value for `program`: its path, quoted when it needs to be, and %f.
QString ExecLine(const QString& program);

// True when all three entries are in place and the desktop entry runs `program` (compared
// exactly: an entry of a program elsewhere is another installation's).
bool IsAssociated(const QString& program, const TAssociationFiles& files = UserAssociationFiles());
// Writes the three entries; the type's default that names another program is replaced.
// EFretloError "Failed to create key <file>" when a file cannot be written; what was written
// before it stays.
void RegisterAssociation(const QString& program, const TAssociationFiles& files = UserAssociationFiles());
// Removes what is Fretlo's: its MIME package, its desktop entry and its default in
// mimeapps.list. Another program's registration of *.frl stays as it is.
void UnregisterAssociation(const TAssociationFiles& files = UserAssociationFiles());
// Rebuilds the desktop's MIME and desktop-entry caches with update-mime-database and
// update-desktop-database, when they are installed.
void TellDesktopAssociationsChanged(const TAssociationFiles& files = UserAssociationFiles());

}  // namespace fretlo
