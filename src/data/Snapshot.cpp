#include "data/Snapshot.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

namespace catalogue {

Snapshot Snapshot::fromView(Database& db, const QString& viewName)
{
    return fromQuery(db, {QStringLiteral("SELECT * FROM %1").arg(quoteIdentifier(viewName)), {}});
}

namespace {

sqlite3* engineHandle(Database& db)
{
    const QVariant handle = db.sql().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

bool bind(sqlite3_stmt* stmt, int index, const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return sqlite3_bind_null(stmt, index) == SQLITE_OK;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(stmt, index, v.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
        return sqlite3_bind_double(stmt, index, v.toDouble()) == SQLITE_OK;
    default:
        break;
    }
    const QString text = v.toString();
    return sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT) == SQLITE_OK;
}

QVariant columnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_NULL:
        return {};
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)), sqlite3_column_bytes(stmt, i));
    default:
        break;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt, i));
    return QString::fromUtf16(text, sqlite3_column_bytes16(stmt, i) / 2);
}

} // namespace

// Whole views are read straight from the engine: the list fill reads every game, and going through
// the generic query layer costs several times as much per value.
bool Snapshot::readDirect(Database& db, const SqlQuery& query)
{
    sqlite3* handle = engineHandle(db);
    if (!handle)
        return false;
    sqlite3_stmt* stmt = nullptr;
    const QString text = query.text;
    const int prepared = sqlite3_prepare16_v2(handle, text.utf16(), int(text.size() * 2), &stmt, nullptr);
    if (prepared != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(stmt);
        db.noteEngineError(prepared, m_error);
        return true;
    }
    bool ok = true;
    for (int i = 0; ok && i < query.binds.size(); ++i)
        ok = bind(stmt, i + 1, query.binds[i]);
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i)
        m_fields << QString::fromUtf8(sqlite3_column_name(stmt, i));
    int rc = SQLITE_ROW;
    while (ok && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i)
            m_cells.push_back(columnValue(stmt, i));
        ++m_rows;
    }
    if (!ok || rc != SQLITE_DONE)
        m_error = QString::fromUtf8(sqlite3_errmsg(handle));
    sqlite3_finalize(stmt);
    finishRead(db, ok ? rc : SQLITE_OK);
    return true;
}

Snapshot Snapshot::fromQuery(Database& db, const SqlQuery& query)
{
    Snapshot s;
    if (s.readDirect(db, query))
        return s;
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    bool ok = q.prepare(query.text);
    if (ok) {
        for (const QVariant& v : query.binds)
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok) {
        s.m_error = q.lastError().text();
        db.noteEngineError(q.lastError());
        return s;
    }
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        s.m_fields << record.fieldName(i);
    const int n = record.count();
    while (q.next()) {
        for (int i = 0; i < n; ++i)
            s.m_cells.push_back(q.value(i));
        ++s.m_rows;
    }
    if (q.lastError().isValid())
        s.m_error = q.lastError().text();
    const bool ended = !q.lastError().isValid();
    s.finishRead(db, ended ? SQLITE_DONE : q.lastError().nativeErrorCode().toInt());
    return s;
}

// rc is how the read ended: SQLITE_DONE when every row was read.
void Snapshot::finishRead(Database& db, int rc)
{
    if (rc == SQLITE_DONE) {
        m_valid = true;
        return;
    }
    // A damaged file (which the database tells the user about) still shows the rows before the damage;
    // any other failure gives no rows.
    if (db.noteEngineError(rc, m_error)) {
        m_valid = true;
        m_partial = true;
        return;
    }
    m_cells.clear();
    m_rows = 0;
}

double Snapshot::percentPosition() const
{
    if (m_rows == 0)
        return 0.0;
    if (m_pos >= m_rows - 1)
        return 100.0;
    return 100.0 * m_pos / (m_rows - 1);
}

QVariant Snapshot::valueAt(int row, int field) const
{
    if (row < 0 || row >= m_rows || field < 0 || field >= m_fields.size())
        return {};
    return m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_fields.size()) + static_cast<size_t>(field)];
}

QVariant Snapshot::value(int field) const
{
    return valueAt(m_pos, field);
}

QVariant Snapshot::value(const QString& field) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return value(i);
    }
    return {};
}

} // namespace catalogue
