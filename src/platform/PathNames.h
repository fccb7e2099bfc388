#pragma once

#include <QString>

namespace platform {

// Splitting and joining of path texts. Nothing here touches the disk. Both "\" and "/" count as
// separators, so Windows-style names from the catalogue and native Linux paths split alike.

// Text after the last separator; the whole path when it has none ("C:\GAMES\" gives "").
QString FileNameOfPath(const QString& path);

// Text before the last separator; "" when there is none ("C:\ELITE.D64" gives "C:"). A file directly
// in the Linux root gives "/", so that joining folder and name again leads back to the same file.
QString FolderOfPath(const QString& path);

// folder + separator + name, with no doubled separator: a drive root "C:\" gives "C:\name" (the three-
// character root is cut to "C:" before "\" + name), "/" gives "/name". Windows-style folders (a drive
// letter or backslashes only) are joined with "\", all others with "/". An empty folder gives the
// name alone, an empty name the folder.
QString joinPath(const QString& folder, const QString& name);

// The catalogue stores names relative to a game, music or screenshot folder with "\" separators, maybe
// with sub-folders ("ACTION\ELITE.D64"). Turns one into a path below folder. Empty parts and leading
// separators are dropped, so the name always stays below folder; an empty name gives "" (no file).
QString storedNameToPath(const QString& folder, const QString& stored);

// The reverse: a path relative to a collection folder, written the way the catalogue stores it.
QString storedNameOf(const QString& relativePath);

} // namespace platform
