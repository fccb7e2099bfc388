#pragma once

#include <QString>

struct Settings;

namespace maintenance {

// Whether the catalogue's files are on disk. Every test is an existence test only (a folder of that name counts,
// as it would for the launcher), names matched without regard to letter case, with "\" or "/" between folders.
// Inside a platform::PathCacheScope every folder is listed once for the whole run.

// The game file, searched in the five game folders as the launcher searches them (empty entries skipped).
bool gameFileFound(const Settings& settings, const QString& storedName);

// A file stored relative to folder (the tune folder, the Screenshots folder). Not found while folder is unset:
// a name relative to nothing is never looked for in the program's current folder.
bool fileFoundBelow(const QString& folder, const QString& storedName);

// The list colour the file dialogs give a game of these stored names; an empty name (left by another tool) counts
// as "(None)".
int listColour(const QString& gameFile, const QString& tune);

// Where the missing-files report says it looked.
QString gameFileLocation(const QString& storedName); // "All Games Paths\" + the stored name
QString locationBelow(const QString& folder, const QString& storedName);

} // namespace maintenance
