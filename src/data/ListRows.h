#pragma once

#include "data/Snapshot.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <list>
#include <memory>
#include <vector>

namespace catalogue {

class Database;

// One line of a game list: the game's name and its stored list colour (a 0x00BBGGRR value).
struct ListRow
{
    QString name;
    int colourCode = 0;
};

// Every row of a game list query (field 0 the name, field 1 the colour code), read in one pass straight
// into lines: the lists hold the whole catalogue, so nothing goes through a QVariant. Validity is a
// snapshot's: a read that met damage keeps the rows before it (the database has told the user); any
// other failure gives no rows and carries the engine's message.
class ListRows
{
public:
    ListRows() = default;
    static ListRows fromView(Database& db, const QString& viewName);
    static ListRows fromQuery(Database& db, const SqlQuery& query);

    bool isValid() const { return m_valid; }
    bool isPartial() const { return m_partial; }
    QString error() const { return m_error; }
    const std::vector<ListRow>& rows() const;

private:
    friend class ListRowsCache;
    std::shared_ptr<const std::vector<ListRow>> m_rows; // shared with the cache
    bool m_valid = false;
    bool m_partial = false;
    QString m_error;
};

// The names of a list query (its one field) as far as a start needs them before its window shows: how many
// rows there are and where a name stands. The engine reads them from the name index alone, where the whole
// list must fetch every game's row for its colour; they are kept as the engine gives them, in one block
// of UTF-8, so a long list costs no string per row. Invalid unless every row was read.
class ListNames
{
public:
    static ListNames fromQuery(Database& db, const SqlQuery& query);

    bool isValid() const { return m_valid; }
    int count() const { return int(m_ends.size()); }
    QString nameAt(int row) const;
    // The first row whose name equals name exactly (case counts), or -1.
    int rowOf(const QString& name) const;

private:
    QByteArray m_text;
    std::vector<qsizetype> m_ends; // where each row's name ends in m_text
    bool m_valid = false;
};

// The stored list colour of each named game (by the Games table), in the order of names; empty when one
// of them is not there or the catalogue cannot be read.
std::vector<int> colourCodesOf(Database& db, const QStringList& names);

// The lists last read, kept while the catalogue's content stays as it was: switching back to a view
// costs no query. A list is read again after any write by this program (the database's generation) or
// by another program (the engine's data version), and after a change of layout. Only whole lists are
// kept: a partial or failed read is read again next time. At most kKept lists are held, the most
// recently used ones: one per view.
class ListRowsCache
{
public:
    static constexpr int kKept = 3;
    ListRows read(Database& db, const SqlQuery& query);
    void clear() { m_entries.clear(); }

private:
    struct Entry
    {
        QString key;
        quint64 generation = 0;
        qint64 dataVersion = -1;
        ListRows rows;
    };
    std::list<Entry> m_entries; // most recently used first
};

} // namespace catalogue
