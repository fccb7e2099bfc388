#pragma once

#include "data/CleanCheckRecord.h"
#include "data/ListRows.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <map>

namespace catalogue {

enum class OpenStatus {
    Ok,
    Missing,      // no file at the path (an empty catalogue is never created in its place)
    ReadOnly,     // the file's permission bits grant write to nobody
    NotCatalogue, // not an SQLite database, or damaged
    MissingTable, // a table or stored query the program needs is absent
    Failed,       // anything else the engine reported (locked, I/O error, ...)
};

struct OpenResult
{
    OpenStatus status = OpenStatus::Failed;
    QString detail; // the missing table's name, or the engine's message
    bool ok() const { return status == OpenStatus::Ok; }
};

// What the user is told when the catalogue cannot be opened (all critical, title "vinTrax").
struct OpenFailureMessage
{
    QString text;
    QString title;
};
OpenFailureMessage openFailureMessage(const OpenResult& result, const QString& path);

// What the user is told, once, when the catalogue turns out to be damaged, and how to recover it.
QString damagedCatalogueMessage(const QString& path);
// The reason a write is refused once the catalogue was found damaged.
QString damagedCatalogueRefusal();
// The reason a write is refused while the catalogue's file grants write to nobody.
QString readOnlyCatalogueRefusal(const QString& path);

// One open catalogue file. Every write made through it (directly or by a Recordset) advances a
// generation counter, which lets record sets know when their cached order or row is stale.
//
// A file can open and still be damaged in places (SQLite's "database disk image is malformed"). The open
// runs the engine's quick check, and every read hands its error to noteEngineError(); from the first sign
// of damage on, the user has been told (once) and the file is no longer written to in this run: writes
// through this class and the record sets are refused, and the connection itself is made read-only.
class Database
{
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing catalogue read-write and checks that it has every table and stored query.
    // A file that fails the checks is closed again untouched. The engine's quick check for damage is
    // skipped while the file is as checkRecord last saw it pass; damage found later forgets that.
    OpenResult open(const QString& path, const CleanCheckRecord& checkRecord = {});
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }

    QSqlDatabase& sql() { return m_db; }

    // Column names of a table as stored (cached until the schema changes).
    QStringList columns(const QString& table);
    bool hasField(const QString& table, const QString& field);
    bool hasTable(const QString& table);
    bool hasView(const QString& view);

    // Runs one statement with bound values. Statements that change data count as writes.
    bool exec(const QString& sql, const QVariantList& binds = {}, QString* error = nullptr);

    // Every reader hands a failed statement's error here. True when it showed damage.
    bool noteEngineError(const QSqlError& error);
    bool noteEngineError(int sqliteCode, const QString& message);
    bool isDamaged() const { return m_damaged; }
    // Why nothing may be written now, empty when writes may go on: the damage found, or a file whose permission
    // bits were taken away while the program runs (the engine would still write for root, which ignores them).
    QString writeRefusal() const;

    bool beginTransaction();
    bool commit();
    void rollback();

    // Content generation: advances on every write. Order generation of a table: advances when rows
    // are added or removed there, or an indexed column changes; arbitrary SQL advances every table's.
    quint64 generation() const { return m_generation; }
    quint64 orderGeneration(const QString& table) const;
    quint64 schemaGeneration() const { return m_schemaGeneration; }
    // The game lists read while the content stays as it is.
    ListRowsCache& listCache() { return m_listCache; }
    void noteWrite() { ++m_generation; ++m_allOrdersGeneration; }
    void noteRowWrite(const QString& table, bool orderChanged);
    void noteSchemaChange();

private:
    void markDamaged();
    void quickCheck();
    bool hasSchemaObject(const char* type, const QString& name);

    QString m_connection;
    QSqlDatabase m_db;
    QString m_path;
    quint64 m_generation = 1;
    quint64 m_schemaGeneration = 1;
    quint64 m_allOrdersGeneration = 1;
    std::map<QString, quint64> m_orderGenerations;
    std::map<QString, QStringList> m_columnCache;
    bool m_damaged = false;
    CleanCheckRecord m_checkRecord;
    ListRowsCache m_listCache;
};

} // namespace catalogue
