#include "maintenance/TableWalk.h"

#include "data/Schema.h"

namespace maintenance {

namespace {

constexpr int kPageRows = 500;

} // namespace

TableWalk::TableWalk(catalogue::Database& db, const QString& table, const QStringList& fields)
    : m_db(db), m_fields(fields)
{
    QStringList columns{QStringLiteral("rowid")};
    for (const QString& field : fields)
        columns << catalogue::quoteIdentifier(field);
    m_sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid > ? ORDER BY rowid LIMIT %3")
                .arg(columns.join(QStringLiteral(", ")), catalogue::quoteIdentifier(table))
                .arg(kPageRows);
    const catalogue::Snapshot count = catalogue::Snapshot::fromQuery(
        m_db, {QStringLiteral("SELECT count(*) FROM %1").arg(catalogue::quoteIdentifier(table)), {}});
    m_total = count.isValid() && !count.isPartial() ? count.value(0).toInt() : 0;
    if (!count.isValid() || count.isPartial())
        m_error = count.error();
}

void TableWalk::readPage()
{
    m_page = catalogue::Snapshot::fromQuery(m_db, {m_sql, {m_lastRowid}});
    m_pageRead = true;
    if (!m_page.isValid() || m_page.isPartial()) {
        m_error = m_page.error().isEmpty() ? QStringLiteral("the table could not be read") : m_page.error();
        return;
    }
    m_page.moveFirst();
    m_lastPage = m_page.recordCount() < kPageRows;
}

bool TableWalk::eof()
{
    if (!m_error.isEmpty())
        return true;
    if (!m_pageRead || (m_page.eof() && !m_lastPage))
        readPage();
    return !m_error.isEmpty() || m_page.eof();
}

void TableWalk::moveNext()
{
    if (eof())
        return;
    m_lastRowid = m_page.value(0).toLongLong();
    m_page.moveNext();
    ++m_passed;
}

qint64 TableWalk::bookmark() const
{
    return m_page.value(0).toLongLong();
}

QVariant TableWalk::value(const QString& field) const
{
    const qsizetype i = m_fields.indexOf(field);
    return i < 0 ? QVariant() : m_page.value(int(i) + 1);
}

double TableWalk::percentPosition() const
{
    return m_total <= 0 ? 100.0 : std::min(100.0, 100.0 * m_passed / m_total);
}

} // namespace maintenance
