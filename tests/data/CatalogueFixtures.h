#pragma once

#include <QString>

namespace testsupport {

// Builds a catalogue file with the sqlite3 shell from a hand-written script in tests/data_files,
// so the program's own schema code plays no part in it. Returns the file's path, "" on failure.
QString catalogueFromScript(const QString& folder, const QString& scriptName,
                            const QString& fileName = QStringLiteral("Vintrax.mdb"));

// Runs one SQL statement through the sqlite3 shell and returns what it printed (list mode, '|').
QString sqliteShell(const QString& dbPath, const QString& sql);

} // namespace testsupport
