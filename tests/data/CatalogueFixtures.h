#pragma once

#include <QString>

namespace testsupport {

// Builds a catalogue file with the sqlite3 shell from a hand-written script in tests/data_files,
// so the program's own schema code plays no part in it. Returns the file's path, "" on failure.
QString catalogueFromScript(const QString& folder, const QString& scriptName,
                            const QString& fileName = QStringLiteral("Vintrax.mdb"));

// The hand-written catalogue with ten more games, each long enough that the Games table spans several pages;
// "Game 09" shares its page with few others.
QString catalogueOfFourteenGames(const QString& folder);

// Runs one SQL statement through the sqlite3 shell and returns what it printed (list mode, '|').
QString sqliteShell(const QString& dbPath, const QString& sql);

// The personal comment a recorded play stores in the rewrite tests: its length and letter follow from
// the times played, so a comment that does not match its count shows a torn change.
QString playComment(qint64 timesPlayed);

// Damages the file under an open catalogue or a closed one: a page of the table's data (the one holding the
// text `containing`, or the table's first when that is empty) is overwritten with junk, and the file's change
// counter moves on so that an open connection reads its pages again. False when no such page is found.
bool damageTablePage(const QString& dbPath, const QString& table, const QString& containing = {});

} // namespace testsupport
