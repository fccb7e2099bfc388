#include "data/Recordset.h"

#include "data/Database.h"

#include <QSqlError>
#include <QSqlRecord>

namespace catalogue {

namespace {

// Rows read in one statement while walking.
constexpr int kBlockRows = 64;

QVariant storable(const QVariant& v)
{
    // Yes/No values are kept as 0/1 so any SQLite tool reads them plainly.
    if (v.typeId() == QMetaType::Bool)
        return QVariant(v.toBool() ? 1 : 0);
    return v;
}

} // namespace

Recordset::Recordset(Database& db, const QString& table) : m_db(&db), m_table(table)
{
    loadColumns();
    if (m_columns.isEmpty()) {
        m_lastError = QStringLiteral("no table %1").arg(table);
        m_db = nullptr;
    }
}

Recordset::~Recordset() = default;

void Recordset::close()
{
    m_rowQuery.reset();
    m_seekQuery.reset();
    m_blockQuery.reset();
    m_db = nullptr;
    m_order.clear();
    m_positionOf.clear();
    m_row.clear();
}

void Recordset::loadColumns()
{
    m_columns = m_db->columns(m_table);
    m_columnIndex.clear();
    for (int i = 0; i < m_columns.size(); ++i)
        m_columnIndex.insert(m_columns[i].toLower(), i);
    m_schemaGeneration = m_db->schemaGeneration();
    m_rowQuery.reset();
    m_seekQuery.reset();
    m_blockQuery.reset();
    m_rowGeneration = 0;
    m_blockGeneration = 0;
    m_block.clear();
}

bool Recordset::prepare(std::optional<QSqlQuery>& q, const QString& sql)
{
    if (q)
        return true;
    q.emplace(m_db->sql());
    q->setForwardOnly(true);
    if (!q->prepare(sql)) {
        m_lastError = q->lastError().text();
        m_db->noteEngineError(q->lastError());
        q.reset();
        return false;
    }
    return true;
}

bool Recordset::setIndex(const QString& indexName)
{
    if (!m_db)
        return false;
    IndexColumn ic;
    if (!indexName.isEmpty()) {
        ic = indexColumn(m_table, indexName);
        if (ic.column.isEmpty()) {
            m_lastError = QStringLiteral("table %1 has no index %2").arg(m_table, indexName);
            return false;
        }
    }
    m_indexName = indexName;
    m_index = ic;
    m_seekQuery.reset();
    m_orderGeneration = 0; // the order changes with the index; the current row stays
    if (m_pos != kBof && m_pos != kEof && m_pos != kPendingFirst)
        m_pos = kUnknownPos;
    return true;
}

void Recordset::ensureOrder()
{
    if (m_schemaGeneration != m_db->schemaGeneration())
        loadColumns();
    const quint64 generation = m_db->orderGeneration(m_table);
    if (m_orderGeneration == generation)
        return;
    // Names compare without regard to case even in a file whose columns were declared otherwise.
    const QString orderBy = m_index.column.isEmpty() || m_index.isRowid
                                ? QStringLiteral("rowid")
                                : quoteIdentifier(m_index.column) + QStringLiteral(" COLLATE NOCASE, rowid");
    QSqlQuery q(m_db->sql());
    q.setForwardOnly(true);
    m_order.clear();
    if (q.exec(QStringLiteral("SELECT rowid FROM %1 ORDER BY %2").arg(quoteIdentifier(m_table), orderBy))) {
        while (q.next())
            m_order.push_back(q.value(0).toLongLong());
    }
    // A walk that stops early is no end of the table: the rows read so far stay, and the error is told.
    noteReadError(q);
    m_orderGeneration = generation;
    m_positionOf.clear();
    m_positionsIndexed = false;

    // Find the current row again in the new order. A row deleted meanwhile leaves its slot, so that
    // moveNext goes on with the row that followed it.
    if (m_rowid >= 0 && !m_currentDeleted) {
        const int pos = positionOf(m_rowid);
        if (pos >= 0) {
            m_pos = pos;
        } else {
            m_currentDeleted = true;
            if (m_pos == kUnknownPos)
                m_pos = kEof;
        }
    }
    if (m_pos >= 0 && m_pos != kEof && m_pos > static_cast<int>(m_order.size()))
        m_pos = static_cast<int>(m_order.size());
}

int Recordset::positionOf(qint64 rowid)
{
    if (!m_positionsIndexed) {
        m_positionOf.reserve(static_cast<qsizetype>(m_order.size()));
        for (int i = 0; i < static_cast<int>(m_order.size()); ++i)
            m_positionOf.insert(m_order[static_cast<size_t>(i)], i);
        m_positionsIndexed = true;
    }
    return m_positionOf.value(rowid, -1);
}

void Recordset::resolvePosition()
{
    ensureOrder();
    if (m_pos == kUnknownPos) {
        const int pos = positionOf(m_rowid);
        m_pos = pos >= 0 ? pos : kEof;
    }
}

void Recordset::resolvePendingFirst()
{
    if (m_db && m_pos == kPendingFirst) {
        ensureOrder();
        moveTo(0);
    }
}

void Recordset::moveTo(int pos)
{
    const int n = static_cast<int>(m_order.size());
    m_currentDeleted = false;
    m_rowGeneration = 0;
    if (pos < 0) {
        m_pos = kBof;
        m_rowid = -1;
    } else if (pos >= n) {
        m_pos = kEof;
        m_rowid = -1;
    } else {
        m_pos = pos;
        m_rowid = m_order[static_cast<size_t>(pos)];
    }
}

void Recordset::moveFirst()
{
    if (!m_db)
        return;
    ensureOrder();
    moveTo(0);
}

void Recordset::moveLast()
{
    if (!m_db)
        return;
    ensureOrder();
    moveTo(static_cast<int>(m_order.size()) - 1);
}

void Recordset::moveNext()
{
    if (!m_db)
        return;
    resolvePendingFirst();
    resolvePosition();
    if (m_pos == kEof)
        return;
    // After a delete the slot of the deleted row already holds the row that followed it.
    moveTo(m_currentDeleted ? m_pos : m_pos + 1);
}

void Recordset::movePrevious()
{
    if (!m_db)
        return;
    resolvePendingFirst();
    resolvePosition();
    if (m_pos == kBof)
        return;
    moveTo(m_pos == kEof ? static_cast<int>(m_order.size()) - 1 : m_pos - 1);
}

bool Recordset::isPastEdge(int edge)
{
    if (!m_db)
        return true;
    resolvePendingFirst();
    if (m_rowid >= 0 && !m_currentDeleted)
        return false;
    ensureOrder();
    return m_order.empty() || m_pos == edge;
}

bool Recordset::bof()
{
    return isPastEdge(kBof);
}

bool Recordset::eof()
{
    return isPastEdge(kEof);
}

int Recordset::recordCount()
{
    if (!m_db)
        return 0;
    ensureOrder();
    return static_cast<int>(m_order.size());
}

double Recordset::percentPosition()
{
    if (!m_db)
        return 0.0;
    resolvePendingFirst();
    resolvePosition();
    const int n = static_cast<int>(m_order.size());
    if (n == 0 || m_pos == kBof)
        return 0.0;
    if (m_pos == kEof || n == 1)
        return 100.0;
    return 100.0 * std::min(m_pos, n - 1) / (n - 1);
}

qint64 Recordset::bookmark() const
{
    return m_currentDeleted ? -1 : m_rowid;
}

bool Recordset::setBookmark(qint64 bookmark)
{
    if (!m_db || bookmark < 0)
        return false;
    const qint64 oldRowid = m_rowid;
    const int oldPos = m_pos;
    const bool oldDeleted = m_currentDeleted;
    m_rowid = bookmark;
    m_currentDeleted = false;
    m_rowGeneration = 0;
    if (!loadCurrentRow()) {
        m_rowid = oldRowid;
        m_pos = oldPos;
        m_currentDeleted = oldDeleted;
        m_rowGeneration = 0;
        return false;
    }
    m_pos = kUnknownPos;
    return true;
}

bool Recordset::seek(const QVariant& key)
{
    m_noMatch = true;
    if (!m_db || m_index.column.isEmpty())
        return false;
    if (m_schemaGeneration != m_db->schemaGeneration())
        loadColumns();
    QVariant bound = key;
    if (m_index.isRowid) {
        bool ok = false;
        bound = key.toLongLong(&ok);
        if (!ok)
            return false;
    }
    const QString sql = m_index.isRowid
                            ? QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?").arg(quoteIdentifier(m_table))
                            : QStringLiteral("SELECT rowid, * FROM %1 WHERE %2 = ? COLLATE NOCASE "
                                             "ORDER BY %2 COLLATE NOCASE, rowid LIMIT 1")
                                  .arg(quoteIdentifier(m_table), quoteIdentifier(m_index.column));
    if (!prepare(m_seekQuery, sql))
        return false;
    m_seekQuery->bindValue(0, bound);
    if (!m_seekQuery->exec() || !m_seekQuery->next()) {
        noteReadError(*m_seekQuery);
        m_seekQuery->finish();
        return false;
    }
    m_rowid = m_seekQuery->value(0).toLongLong();
    m_row.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        m_row[i] = m_seekQuery->value(i + 1);
    m_seekQuery->finish();
    m_rowGeneration = m_db->generation();
    m_currentDeleted = false;
    m_pos = kUnknownPos;
    m_noMatch = false;
    return true;
}

bool Recordset::loadCurrentRow()
{
    if (m_schemaGeneration != m_db->schemaGeneration())
        loadColumns();
    if (m_rowid < 0 || m_currentDeleted)
        return false;
    if (m_rowGeneration == m_db->generation())
        return true;
    // On a walk, read the rows ahead in one go.
    const bool walking = m_orderGeneration == m_db->orderGeneration(m_table) && m_pos >= 0 &&
                         m_pos < static_cast<int>(m_order.size()) && m_order[static_cast<size_t>(m_pos)] == m_rowid;
    if (m_blockGeneration != m_db->generation() || !m_block.contains(m_rowid)) {
        if (walking)
            loadBlockAt(m_pos);
    }
    if (m_blockGeneration == m_db->generation()) {
        auto it = m_block.constFind(m_rowid);
        if (it != m_block.constEnd()) {
            m_row = *it;
            m_rowGeneration = m_blockGeneration;
            return true;
        }
    }
    if (!prepare(m_rowQuery, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoteIdentifier(m_table))))
        return false;
    m_rowQuery->bindValue(0, m_rowid);
    if (!m_rowQuery->exec() || !m_rowQuery->next()) {
        if (!noteReadError(*m_rowQuery))
            m_lastError = QStringLiteral("no row %1 in %2").arg(m_rowid).arg(m_table);
        m_rowQuery->finish();
        return false;
    }
    m_row.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        m_row[i] = m_rowQuery->value(i);
    m_rowQuery->finish();
    m_rowGeneration = m_db->generation();
    return true;
}

bool Recordset::loadBlockAt(int pos)
{
    QStringList marks;
    for (int i = 0; i < kBlockRows; ++i)
        marks << QStringLiteral("?");
    if (!prepare(m_blockQuery, QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                   .arg(quoteIdentifier(m_table), marks.join(QLatin1Char(',')))))
        return false;
    const int n = static_cast<int>(m_order.size());
    for (int i = 0; i < kBlockRows; ++i)
        m_blockQuery->bindValue(i, pos + i < n ? m_order[static_cast<size_t>(pos + i)] : qint64(-1));
    m_block.clear();
    m_blockGeneration = 0;
    if (m_blockQuery->exec()) {
        while (m_blockQuery->next()) {
            QVector<QVariant> row(m_columns.size());
            for (int i = 0; i < m_columns.size(); ++i)
                row[i] = m_blockQuery->value(i + 1);
            m_block.insert(m_blockQuery->value(0).toLongLong(), row);
        }
    }
    // Rows are read one at a time after a failed block read, so that each one that can be read still is.
    if (noteReadError(*m_blockQuery)) {
        m_blockQuery->finish();
        m_block.clear();
        return false;
    }
    m_blockQuery->finish();
    m_blockGeneration = m_db->generation();
    return true;
}

// After a write through this record set its own caches are patched rather than thrown away, so that
// a walk that edits every row (an upgrade, a verify) still reads ahead. Other record sets see the new
// generation and read afresh.
void Recordset::keepCachesAfterOwnWrite(quint64 generationBefore)
{
    const quint64 now = m_db->generation();
    if (m_blockGeneration == generationBefore)
        m_blockGeneration = now;
    if (m_rowGeneration == generationBefore)
        m_rowGeneration = now;
}

int Recordset::columnIndex(const QString& field) const
{
    return m_columnIndex.value(field.toLower(), -1);
}

bool Recordset::hasField(const QString& field) const
{
    return columnIndex(field) >= 0;
}

QVariant Recordset::value(const QString& field)
{
    if (!m_db)
        return {};
    resolvePendingFirst();
    if (!loadCurrentRow())
        return {};
    const int i = columnIndex(field);
    if (i < 0) {
        m_lastError = QStringLiteral("no field %1 in %2").arg(field, m_table);
        return {};
    }
    return m_row.value(i);
}

QString Recordset::text(const QString& field)
{
    return value(field).toString();
}

qint64 Recordset::number(const QString& field)
{
    return value(field).toLongLong();
}

bool Recordset::flag(const QString& field)
{
    return value(field).toLongLong() != 0;
}

bool Recordset::noteReadError(const QSqlQuery& q)
{
    const QSqlError error = q.lastError();
    if (!error.isValid())
        return false;
    m_lastError = error.text();
    m_db->noteEngineError(error);
    return true;
}

bool Recordset::fail(WriteError error, const QString& text)
{
    m_writeError = error;
    m_lastError = text;
    return false;
}

bool Recordset::edit()
{
    if (!m_db)
        return fail(WriteError::Failed, QStringLiteral("record set is closed"));
    resolvePendingFirst();
    if (m_rowid < 0 || m_currentDeleted)
        return fail(WriteError::NoCurrentRow, QStringLiteral("no current record"));
    m_mode = Mode::Edit;
    m_buffer.clear();
    m_writeError = WriteError::None;
    return true;
}

bool Recordset::addNew()
{
    if (!m_db)
        return fail(WriteError::Failed, QStringLiteral("record set is closed"));
    m_mode = Mode::Add;
    m_buffer.clear();
    m_writeError = WriteError::None;
    return true;
}

bool Recordset::setValue(const QString& field, const QVariant& value)
{
    if (m_mode == Mode::Browse)
        return fail(WriteError::NotEditing, QStringLiteral("not editing"));
    if (m_schemaGeneration != m_db->schemaGeneration())
        loadColumns();
    const int i = columnIndex(field);
    if (i < 0)
        return fail(WriteError::UnknownField, QStringLiteral("no field %1 in %2").arg(field, m_table));
    m_buffer.insert(i, storable(value));
    return true;
}

void Recordset::cancelUpdate()
{
    m_mode = Mode::Browse;
    m_buffer.clear();
}

bool Recordset::update()
{
    if (m_mode == Mode::Browse)
        return fail(WriteError::NotEditing, QStringLiteral("not editing"));
    if (const QString refusal = m_db->writeRefusal(); !refusal.isEmpty())
        return fail(WriteError::Failed, refusal);
    QList<int> cols = m_buffer.keys();
    std::sort(cols.begin(), cols.end());
    QSqlQuery q(m_db->sql());
    QString sql;
    QStringList names;
    for (int c : cols)
        names << quoteIdentifier(m_columns[c]);
    if (m_mode == Mode::Edit) {
        if (cols.isEmpty()) {
            cancelUpdate();
            m_lastModified = m_rowid;
            return true;
        }
        sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                  .arg(quoteIdentifier(m_table), names.join(QStringLiteral(" = ?, ")));
    } else if (cols.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(m_table));
    } else {
        QStringList marks;
        for (qsizetype i = 0; i < cols.size(); ++i)
            marks << QStringLiteral("?");
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoteIdentifier(m_table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }
    if (!q.prepare(sql))
        return fail(WriteError::Failed, q.lastError().text());
    for (int c : cols)
        q.addBindValue(m_buffer.value(c));
    if (m_mode == Mode::Edit)
        q.addBindValue(m_rowid);
    if (!q.exec()) {
        const QString message = q.lastError().text();
        if (m_db->noteEngineError(q.lastError()))
            return fail(WriteError::Failed, damagedCatalogueRefusal());
        const bool duplicate = message.contains(QStringLiteral("UNIQUE constraint"), Qt::CaseInsensitive);
        return fail(duplicate ? WriteError::DuplicateKey : WriteError::Failed, message);
    }
    bool orderChanged = m_mode == Mode::Add;
    const quint64 generationBefore = m_db->generation();
    bool patched = false;
    if (m_mode == Mode::Edit) {
        m_lastModified = m_rowid;
        // Keep the cached copies of this row in step with what was written.
        const bool rowCached = m_rowGeneration == generationBefore;
        const bool blockCached = m_blockGeneration == generationBefore && m_block.contains(m_rowid);
        for (int c : cols) {
            if (rowCached)
                m_row[c] = m_buffer.value(c);
            if (blockCached)
                m_block[m_rowid][c] = m_buffer.value(c);
        }
        patched = true;
        for (int c : cols) {
            // Any column some index orders by moves rows; the key columns are never edited.
            if (!indexColumn(m_table, m_columns[c]).column.isEmpty() || c == columnIndex(m_index.column))
                orderChanged = true;
        }
    } else {
        m_lastModified = q.lastInsertId().toLongLong();
    }
    q.finish();
    m_db->noteRowWrite(m_table, orderChanged);
    if (patched)
        keepCachesAfterOwnWrite(generationBefore);
    else
        m_blockGeneration = 0;
    cancelUpdate();
    m_writeError = WriteError::None;
    return true;
}

bool Recordset::remove()
{
    if (!m_db)
        return fail(WriteError::Failed, QStringLiteral("record set is closed"));
    resolvePendingFirst();
    if (m_rowid < 0 || m_currentDeleted)
        return fail(WriteError::NoCurrentRow, QStringLiteral("no current record"));
    if (const QString refusal = m_db->writeRefusal(); !refusal.isEmpty())
        return fail(WriteError::Failed, refusal);
    resolvePosition();
    QSqlQuery q(m_db->sql());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdentifier(m_table)));
    q.addBindValue(m_rowid);
    if (!q.exec()) {
        if (m_db->noteEngineError(q.lastError()))
            return fail(WriteError::Failed, damagedCatalogueRefusal());
        return fail(WriteError::Failed, q.lastError().text());
    }
    m_currentDeleted = true;
    const quint64 generationBefore = m_db->generation();
    m_block.remove(m_rowid);
    m_db->noteRowWrite(m_table, true);
    keepCachesAfterOwnWrite(generationBefore);
    m_writeError = WriteError::None;
    return true;
}

} // namespace catalogue
