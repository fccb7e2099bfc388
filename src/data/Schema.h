#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace catalogue {

class Database;

// The whole catalogue layout as one SQL script: tables, indexes and the three stored queries.
// Text columns compare without regard to case (NOCASE), so any SQLite tool sees the same order and
// matches as the program does; no custom collation or function is used.
QString schemaScript();

// Layout revision kept in PRAGMA user_version.
inline constexpr int kSchemaRevision = 3;

// Runs a script of ';'-separated statements in one transaction; false (and nothing applied) on error.
bool runScript(QSqlDatabase& db, const QString& script, QString* error = nullptr);

// Creates a new, empty catalogue at path. Refuses when the file already exists.
bool createCatalogue(const QString& path, QString* error = nullptr);

// The SQLite index behind a (table, index name) pair as the program names it. Index names are global
// in an SQLite file, and three tables have an index called "Name", so each is stored as <Table>_<Index>.
// Key indexes ("PU_Id" and the like) are the tables' INTEGER PRIMARY KEYs and have no index of their own.
struct IndexColumn
{
    QString column;     // the column the index orders by
    bool isRowid = false; // the key is the table's integer primary key
    bool unique = false;
};
// Empty column when the table has no such index.
IndexColumn indexColumn(const QString& table, const QString& indexName);
QString sqliteIndexName(const QString& table, const QString& indexName);

// The category browser finds the games of one value through an index on each of the seven key fields of Games
// ("Games_PU_Id", "Games_Year_Published", ...), which catalogues made before it lack: creates the missing ones.
// False when one could not be made (a read-only or damaged catalogue); the lists then read the whole table.
bool createLookupIndexes(Database& db);

// Quotes an identifier for SQL ("Music Filename" -> "\"Music Filename\"").
QString quoteIdentifier(const QString& name);

} // namespace catalogue
