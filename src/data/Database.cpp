#include "data/Database.h"

#include "data/CatalogueNames.h"
#include "data/Schema.h"
#include "platform/PathChecks.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace catalogue {

namespace {

QString sqliteUri(const QString& path)
{
    // mode=rw: the engine must not create an empty catalogue where the user's is missing.
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=rw");
}

} // namespace

OpenFailureMessage openFailureMessage(const OpenResult& result, const QString& path)
{
    const QString title = QStringLiteral("vinTrax");
    const QString unchanged = QStringLiteral("\n\nThe file has not been changed.");
    switch (result.status) {
    case OpenStatus::Ok:
        return {};
    case OpenStatus::Missing:
        return {QStringLiteral("Cannot find 'vintrax.mdb' in the 'vinTrax' directory"), title};
    case OpenStatus::ReadOnly:
        return {QStringLiteral("The vintrax database is read-only:\n%1\n\nvintrax records plays and edits in it. "
                               "Make the file writable and start vintrax again.")
                        .arg(path) +
                    unchanged,
                title};
    case OpenStatus::NotCatalogue:
        return {QStringLiteral("The vintrax database is damaged or is not a vintrax database:\n%1").arg(path) +
                    unchanged,
                title};
    case OpenStatus::MissingTable:
        return {QStringLiteral("The vintrax database is incomplete: '%1' is missing.\n%2").arg(result.detail, path) +
                    unchanged,
                title};
    case OpenStatus::Failed:
        break;
    }
    return {QStringLiteral("vintrax could not open its database:\n%1\n\n%2").arg(path, result.detail), title};
}

Database::Database() : m_connection(QStringLiteral("vintrax-") + QUuid::createUuid().toString(QUuid::Id128)) {}

Database::~Database()
{
    close();
}

OpenResult Database::open(const QString& path)
{
    close();
    const QFileInfo info(path);
    if (!info.exists())
        return {OpenStatus::Missing, {}};
    if (info.isDir())
        return {OpenStatus::NotCatalogue, QStringLiteral("a folder")};
    if (platform::isReadOnlyFile(path))
        return {OpenStatus::ReadOnly, {}};

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
    m_db.setDatabaseName(sqliteUri(path));
    auto fail = [this](OpenStatus status, const QString& detail) {
        close();
        return OpenResult{status, detail};
    };
    if (!m_db.open())
        return fail(OpenStatus::Failed, m_db.lastError().text());

    // Reading the schema is the first access to the file's contents: junk fails here, unchanged.
    {
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QString message = q.lastError().text();
            q.finish();
            const bool junk = message.contains(QStringLiteral("not a database"), Qt::CaseInsensitive) ||
                              message.contains(QStringLiteral("malformed"), Qt::CaseInsensitive);
            return fail(junk ? OpenStatus::NotCatalogue : OpenStatus::Failed, message);
        }
    }
    m_path = path;
    for (const QString& table : kTablesInOpenOrder) {
        if (!hasTable(table))
            return fail(OpenStatus::MissingTable, table);
    }
    for (const QString& view : kViews) {
        if (!hasView(view))
            return fail(OpenStatus::MissingTable, view);
    }
    // The list views walk the name index and fetch every game's row. With the engine's default 2 MB page
    // cache a large catalogue no longer fits, and every view switch reads the whole table from the file
    // again; 32 MB keeps tens of thousands of games in memory (the cache grows only as pages are read).
    QSqlQuery(m_db).exec(QStringLiteral("PRAGMA cache_size = -32768"));
    return {OpenStatus::Ok, {}};
}

void Database::close()
{
    m_columnCache.clear();
    m_path.clear();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool Database::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

QStringList Database::columns(const QString& table)
{
    const QString key = table.toLower();
    auto it = m_columnCache.find(key);
    if (it != m_columnCache.end())
        return it->second;
    QStringList names;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table)))) {
        while (q.next())
            names << q.value(1).toString();
    }
    m_columnCache[key] = names;
    return names;
}

bool Database::hasField(const QString& table, const QString& field)
{
    return columns(table).contains(field, Qt::CaseInsensitive);
}

namespace {
bool hasSchemaObject(QSqlDatabase& db, const char* type, const QString& name)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = ? AND name = ? COLLATE NOCASE"));
    q.addBindValue(QString::fromLatin1(type));
    q.addBindValue(name);
    return q.exec() && q.next();
}
} // namespace

bool Database::hasTable(const QString& table)
{
    return hasSchemaObject(m_db, "table", table);
}

bool Database::hasView(const QString& view)
{
    return hasSchemaObject(m_db, "view", view);
}

bool Database::exec(const QString& sql, const QVariantList& binds, QString* error)
{
    QSqlQuery q(m_db);
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant& v : binds)
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok && error)
        *error = q.lastError().text();
    if (ok && !q.isSelect())
        noteWrite();
    return ok;
}

bool Database::beginTransaction()
{
    return m_db.transaction();
}

bool Database::commit()
{
    const bool ok = m_db.commit();
    noteWrite();
    return ok;
}

void Database::rollback()
{
    m_db.rollback();
    // A rollback can undo schema changes as well as rows.
    noteSchemaChange();
}

quint64 Database::orderGeneration(const QString& table) const
{
    auto it = m_orderGenerations.find(table.toLower());
    return m_allOrdersGeneration + (it == m_orderGenerations.end() ? 0 : it->second);
}

void Database::noteRowWrite(const QString& table, bool orderChanged)
{
    ++m_generation;
    if (orderChanged)
        ++m_orderGenerations[table.toLower()];
}

void Database::noteSchemaChange()
{
    m_columnCache.clear();
    ++m_schemaGeneration;
    noteWrite();
}

} // namespace catalogue
