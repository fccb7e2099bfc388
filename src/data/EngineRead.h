#pragma once

#include "data/Snapshot.h"

#include <functional>
#include <optional>

struct sqlite3_stmt;

namespace catalogue {

class Database;

// How a read of every row of a query ended.
struct EngineReadEnd
{
    bool valid = false;   // every row was read, or the file turned out damaged after some were (partial)
    bool partial = false; // the database has told the user of the damage
    QString error;        // the engine's message when not every row was read
};

// Reads every row of a query straight from the SQLite engine under Qt's driver: the game lists read the
// whole catalogue, and the generic query layer costs several times as much per value. onStart sees the
// prepared statement once (its column names); onRow sees it on each row. Errors go to the database, so
// damage is told once. An invalid end means the caller keeps none of the rows it was handed.
// std::nullopt when the engine is not at hand (another driver): nothing was read.
std::optional<EngineReadEnd> readEveryRow(Database& db, const SqlQuery& query,
                                          const std::function<void(sqlite3_stmt*)>& onStart,
                                          const std::function<void(sqlite3_stmt*)>& onRow);

// The text of column i of the current row, as UTF-8 turned into a QString (what the engine stores, so
// no conversion inside the engine).
QString engineText(sqlite3_stmt* stmt, int i);

// The engine's count of changes other connections (other programs) committed to the file; -1 when it
// cannot be read.
qint64 engineDataVersion(Database& db);

} // namespace catalogue
