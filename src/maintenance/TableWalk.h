#pragma once

#include "data/Snapshot.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace catalogue {
class Database;
}

namespace maintenance {

// A record set of its own over one table, in the table's order, for a run that reads every row: it reads a page of
// rows at a time (the fields it was asked for, straight from the engine), so a walk of a large table costs one
// short query per page, whatever the run writes in between.
class TableWalk
{
public:
    TableWalk(catalogue::Database& db, const QString& table, const QStringList& fields);

    // Reads the next page when the current one is used up; true past the last row, or when a read failed.
    bool eof();
    void moveNext();
    qint64 bookmark() const; // the row's rowid
    QVariant value(const QString& field) const;
    QString text(const QString& field) const { return value(field).toString(); }
    // Rows passed, of those the table held when the walk began: 0 to 100.
    double percentPosition() const;
    // The engine's message when a read failed.
    QString lastError() const { return m_error; }

private:
    void readPage();

    catalogue::Database& m_db;
    QString m_sql;
    QStringList m_fields;
    catalogue::Snapshot m_page;
    qint64 m_lastRowid = -1;
    bool m_pageRead = false;
    bool m_lastPage = false;
    int m_passed = 0;
    int m_total = 0;
    QString m_error;
};

} // namespace maintenance
