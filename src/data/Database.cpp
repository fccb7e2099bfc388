#include "data/Database.h"

#include "data/CatalogueNames.h"
#include "data/Schema.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"

#include <QDir>
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

// The engine's result codes for a damaged file, for "not a database", and for a write the read-only
// connection refused (the low byte of an extended code).
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}

} // namespace

QString damagedCatalogueMessage(const QString& path)
{
    return QStringLiteral("The vintrax database is damaged:\n%1\n\n"
                          "Some games or tunes may be missing from the lists. vintrax writes nothing more to this "
                          "file while it runs, so plays and changes are not recorded.\n\n"
                          "To recover what can still be read, close vintrax, open a terminal in the folder of the "
                          "database and run:\n\n"
                          "sqlite3 Vintrax.mdb .recover | sqlite3 Vintrax-recovered.mdb\n\n"
                          "If your sqlite3 cannot do that (it reports \"no such table: sqlite_dbpage\" or \"SQL "
                          "logic error\"), delete Vintrax-recovered.mdb and run instead:\n\n"
                          "sqlite3 Vintrax.mdb .dump | sed 's/^ROLLBACK; -- due to errors$/COMMIT;/' | "
                          "sqlite3 Vintrax-recovered.mdb\n\n"
                          "Then put the damaged file aside, rename Vintrax-recovered.mdb to Vintrax.mdb and start "
                          "vintrax again.")
        .arg(QDir::toNativeSeparators(path));
}

QString damagedCatalogueRefusal()
{
    return QStringLiteral("the vintrax database is damaged, so nothing more is written to it");
}

QString readOnlyCatalogueRefusal(const QString& path)
{
    return QStringLiteral("the vintrax database is read-only, so nothing is written to it:\n%1").arg(path);
}

OpenFailureMessage openFailureMessage(const OpenResult& result, const QString& path)
{
    const QString title = QStringLiteral("vinTrax");
    const QString unchanged = QStringLiteral("\n\nThe file has not been changed.");
    switch (result.status) {
    case OpenStatus::Ok:
        return {};
    case OpenStatus::Missing:
        // The file and its folder as they really are: the catalogue may live in the user's data folder rather
        // than beside the program, and file names are told apart by case here.
        return {QStringLiteral("Cannot find '%1' in the '%2' directory")
                    .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath())),
                title};
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

OpenResult Database::open(const QString& path, const CleanCheckRecord& checkRecord)
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
    m_checkRecord = checkRecord;
    quickCheck();
    return {OpenStatus::Ok, {}};
}

void Database::quickCheck()
{
    // The checks in open() read the schema only: damaged pages further in are found by the engine's quick
    // check, which reads every page once, before anything could be written to them; with the larger cache
    // set first, the pages it reads stay for the list fill that follows. A file just as it was when a
    // check last passed is not read through again.
    const FileStamp before = fileStampOf(m_path);
    if (m_checkRecord.allowsSkip(m_path, before))
        return;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    QString problem;
    if (q.exec(QStringLiteral("PRAGMA quick_check"))) {
        while (q.next() && problem.isEmpty()) {
            const QString line = q.value(0).toString();
            if (line != QLatin1String("ok"))
                problem = line;
        }
    }
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        noteEngineError(error);
    else if (!problem.isEmpty())
        markDamaged();
    // Only a check that read the whole file, as it still is, unchanged, counts as clean. A record that
    // cannot be written costs the next start a check, nothing more: its cause goes to the terminal only.
    QString recordError;
    if (!error.isValid() && problem.isEmpty() && !m_damaged && fileStampOf(m_path) == before &&
        !m_checkRecord.remember(m_path, before, &recordError) && !recordError.isEmpty())
        qWarning("vintrax: %s", qPrintable(recordError));
}

void Database::close()
{
    m_damaged = false;
    m_checkRecord = CleanCheckRecord();
    m_columnCache.clear();
    m_listCache.clear();
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
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid()) {
        noteEngineError(error);
        return names; // not kept: the next call asks again
    }
    m_columnCache[key] = names;
    return names;
}

bool Database::hasField(const QString& table, const QString& field)
{
    return columns(table).contains(field, Qt::CaseInsensitive);
}

bool Database::hasSchemaObject(const char* type, const QString& name)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = ? AND name = ? COLLATE NOCASE"));
    q.addBindValue(QString::fromLatin1(type));
    q.addBindValue(name);
    const bool found = q.exec() && q.next();
    if (!found && q.lastError().isValid())
        noteEngineError(q.lastError());
    return found;
}

bool Database::hasTable(const QString& table)
{
    return hasSchemaObject("table", table);
}

bool Database::hasView(const QString& view)
{
    return hasSchemaObject("view", view);
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
    if (!ok) {
        const QSqlError failure = q.lastError();
        noteEngineError(failure);
        if (error)
            *error = m_damaged && primaryCode(failure) == kSqliteReadOnly ? damagedCatalogueRefusal() : failure.text();
    }
    if (ok && !q.isSelect())
        noteWrite();
    return ok;
}

bool Database::noteEngineError(const QSqlError& error)
{
    if (!error.isValid())
        return false;
    return noteEngineError(primaryCode(error), error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

bool Database::noteEngineError(int sqliteCode, const QString& message)
{
    const int code = sqliteCode & 0xff;
    // The message is the fallback for errors that come without the engine's code.
    const bool damageTold = message.contains(QStringLiteral("disk image is malformed"), Qt::CaseInsensitive) ||
                            message.contains(QStringLiteral("malformed database schema"), Qt::CaseInsensitive);
    if (code != kSqliteCorrupt && code != kSqliteNotADatabase && !damageTold)
        return false;
    markDamaged();
    return true;
}

void Database::markDamaged()
{
    if (m_damaged || !isOpen())
        return;
    m_damaged = true;
    // From here on the engine itself refuses every write on this connection, whoever asks for it.
    QSqlQuery(m_db).exec(QStringLiteral("PRAGMA query_only = 1"));
    // The next start checks the file whole again, even if it stays as it is now.
    m_checkRecord.forget();
    platform::MessageBox::critical(damagedCatalogueMessage(m_path));
}

QString Database::writeRefusal() const
{
    if (m_damaged)
        return damagedCatalogueRefusal();
    // One stat per write: the bits are what the user changes, and what a read-only catalogue is known by. The path
    // is the file as opened, so it is looked at directly (never through a run's cached folder listings).
    const QFileInfo file(m_path);
    if (file.exists() && !(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        return readOnlyCatalogueRefusal(m_path);
    return {};
}

bool Database::beginTransaction()
{
    if (!writeRefusal().isEmpty())
        return false;
    return m_db.transaction();
}

bool Database::commit()
{
    const bool ok = m_db.commit();
    if (!ok)
        noteEngineError(m_db.lastError());
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
