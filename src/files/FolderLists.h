#pragma once

#include <QString>
#include <QStringList>

// What the drive, folder and file lists of the browse dialogs show. Nothing here needs a widget; the
// dialogs show these lists and call back with what the user picked.
namespace files {

// The entry of the folder list that leads one folder up.
inline const QString kParentFolderEntry = QStringLiteral("..");

// A pattern text as callers write it ("*.d64;*.t64", "*.dat; *.sid") split into its patterns, blanks
// around each dropped. An empty text gives "*".
QStringList patternList(const QString& patternText);

// Whether a file name matches one of the patterns, without regard to letter case. "*.*" matches every
// name, also one without a dot, as it does on the system the catalogues come from.
bool matchesPatterns(const QString& fileName, const QStringList& patterns);

// A program on Windows ends in ".exe"; here a program is any file with an execute bit. Where the
// patterns ask for "*.exe", the file list also shows every file with an execute bit (a native emulator,
// /usr/bin/sidplayfp, a wrapper script without an ending).
bool listsExecutables(const QStringList& patterns);

// The drives: the mount points of the disks, "/" first. Pseudo file systems (/proc, /sys, /dev, /run
// other than /run/media) are left out.
QStringList driveRoots();
// The drive a folder lies on: the mount point that holds it.
QString driveOf(const QString& folder);
// The drive list for a folder: driveRoots(), with the folder's own drive added when it is missing.
QStringList drivesFor(const QString& folder);

// The folders below folder, sorted without regard to case, with ".." first unless folder is a drive's root.
// Hidden (dot) folders are left out, as the desktop's file dialogs leave them out, unless withHidden asks for
// them (a Wine prefix is one). An unreadable folder gives ".." alone.
QStringList folderEntries(const QString& folder, bool withHidden = false);

// The files in folder whose names match the patterns (or that are programs, see listsExecutables),
// sorted without regard to case. Hidden files are left out.
QStringList fileEntries(const QString& folder, const QStringList& patterns);

// The folder a folder-list entry leads to: ".." the parent, any other entry the sub-folder.
QString folderBelow(const QString& folder, const QString& entry);

// Where a browse dialog opens for a start path: the path's nearest existing folder; the fallback
// folder when the path is empty or nothing of it exists.
QString existingFolderFor(const QString& path, const QString& fallback);

} // namespace files
