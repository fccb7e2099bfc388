#include "data/Snapshot.h"

#include "data/Database.h"
#include "data/EngineRead.h"
#include "data/SqlTexts.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

namespace catalogue {

Snapshot Snapshot::fromView(Database& db, const QString& viewName)
{
    return fromQuery(db, storedQuerySql(viewName));
}

namespace {

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
    return engineText(stmt, i);
}

} // namespace

bool Snapshot::readDirect(Database& db, const SqlQuery& query)
{
    int n = 0;
    const std::optional<EngineReadEnd> end = readEveryRow(
        db, query,
        [this, &n](sqlite3_stmt* stmt) {
            n = sqlite3_column_count(stmt);
            for (int i = 0; i < n; ++i)
                m_fields << QString::fromUtf8(sqlite3_column_name(stmt, i));
        },
        [this, &n](sqlite3_stmt* stmt) {
            for (int i = 0; i < n; ++i)
                m_cells.push_back(columnValue(stmt, i));
            ++m_rows;
        });
    if (!end)
        return false;
    m_valid = end->valid;
    m_partial = end->partial;
    m_error = end->error;
    if (!m_valid) {
        m_cells.clear();
        m_rows = 0;
    }
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
