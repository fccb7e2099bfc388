#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <vector>

namespace catalogue {

class Database;

// A query with its values bound separately, never pasted into the text.
struct SqlQuery
{
    QString text;
    QVariantList binds;
};

// A read-only result: every row of a stored query or an SQL text, read in one pass when opened.
// Moving, counting and the percent position cost nothing after that.
class Snapshot
{
public:
    Snapshot() = default;
    static Snapshot fromView(Database& db, const QString& viewName);
    static Snapshot fromQuery(Database& db, const SqlQuery& query);

    // Valid: every row was read, or the file turned out damaged and the rows before the damage were
    // (isPartial(); the database has told the user). error() holds the engine's message then too.
    bool isValid() const { return m_valid; }
    bool isPartial() const { return m_partial; }
    QString error() const { return m_error; }

    int recordCount() const { return m_rows; }
    void moveFirst() { m_pos = 0; }
    void moveNext()
    {
        if (m_pos < m_rows)
            ++m_pos;
    }
    bool eof() const { return m_pos >= m_rows; }
    double percentPosition() const;

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    QVariant value(int field) const;
    QVariant value(const QString& field) const;
    // Direct access for bulk readers such as the list fill.
    QVariant valueAt(int row, int field) const;

private:
    bool readDirect(Database& db, const SqlQuery& query); // false when the engine handle is not at hand
    void finishRead(Database& db, int rc);
    bool m_valid = false;
    bool m_partial = false;
    QString m_error;
    QStringList m_fields;
    std::vector<QVariant> m_cells; // row-major
    int m_rows = 0;
    int m_pos = 0;
};

} // namespace catalogue
