#pragma once

#include "data/CurrentGame.h"

#include <QString>
#include <QStringList>

// The rules of the game file dialog that need no widget: which entry of a listed image it selects, and
// what OK stores.
namespace files {

// The entry the dialog selects after listing an image. The game's own stored file (outside new-game mode)
// gets its stored entry back, whatever that entry is; any other file gets its first program that is not a
// separator row or a loader, else entry 0. An empty listing selects nothing (-1).
int preselectedEntry(const QStringList& entries, bool gamesOwnFile, int storedIndex);

// A game file's name as the catalogue stores it: the bare name in the root game folder, otherwise the
// sub-folders below the root, each followed by "\", then the name. Empty for a folder outside the root.
QString storedGameName(const QString& folder, const QString& fileName, const QString& root);

// What OK stores for the game. No file: "(None)", not available, entry 0, grey or red by the tune. A file:
// its stored name, available, the chosen entry (0 when none), blue or black by the tune.
catalogue::FieldValues noGameFileValues(const QString& musicFilename);
catalogue::FieldValues gameFileValues(const QString& storedName, int entry, const QString& musicFilename);

// Renaming, moving or deleting the game's own file leaves the game without one; its availability flag and
// colour stay as they were until the next verification.
catalogue::FieldValues unlinkedGameFileValues();

} // namespace files
