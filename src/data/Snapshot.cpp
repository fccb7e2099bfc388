#include "Snapshot.h"

#include "Database.h"
#include "Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace catalogue {

Snapshot Snapshot::fromView(Database& db, const QString& viewName)
{
    return fromQuery(db, {QStringLiteral("SELECT * FROM %1").arg(quoteIdentifier(viewName)), {}});
}

Snapshot Snapshot::fromQuery(Database& db, const SqlQuery& query)
{
    Snapshot s;
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
    if (q.lastError().isValid()) {
        s.m_error = q.lastError().text();
        s.m_cells.clear();
        s.m_rows = 0;
        return s;
    }
    s.m_valid = true;
    return s;
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
