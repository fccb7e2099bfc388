#pragma once

#include "data/Schema.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>
#include <vector>

namespace catalogue {

class Database;

enum class WriteError
{
    None,
    DuplicateKey, // a unique index refused the value
    NoCurrentRow,
    NotEditing,
    UnknownField,
    Failed,
};

// A table-type record set: the whole table in the order of the selected index, a current row,
// index seek, bookmarks (the rowid), and edit/add/update/delete of one row at a time.
//
// The order of the table is read once (rowids only) and kept until a write changes which rows
// exist or an indexed value; field values are read for the current row only, when asked for.
// A walk therefore costs one statement per row, a seek one statement.
class Recordset
{
public:
    Recordset(Database& db, const QString& table);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool isOpen() const { return m_db != nullptr; }
    void close();
    QString table() const { return m_table; }
    QString lastError() const { return m_lastError; }

    // Index by the names the program uses ("Name", "PU_Id", "Publisher", ...); empty = table order.
    bool setIndex(const QString& indexName);
    QString index() const { return m_indexName; }

    // Seek "=": the first row of the index with this key; noMatch() tells whether one was found.
    // When nothing matches the current row stays where it was.
    bool seek(const QVariant& key);
    bool noMatch() const { return m_noMatch; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool bof();
    bool eof();
    int recordCount();
    // 0 at the first row, 100 at the last (and past either end), in proportion between.
    double percentPosition();

    // The current row's rowid, -1 when there is none.
    qint64 bookmark() const;
    bool setBookmark(qint64 bookmark);

    QStringList fieldNames() const { return m_columns; }
    bool hasField(const QString& field) const;
    QVariant value(const QString& field);
    QString text(const QString& field);  // NULL reads as ""
    qint64 number(const QString& field); // NULL reads as 0
    bool flag(const QString& field);     // any non-zero value is true

    bool edit();
    bool addNew();
    bool setValue(const QString& field, const QVariant& value);
    bool update();
    void cancelUpdate();
    bool remove(); // Delete: the current row goes; moveNext then goes to the row after it
    bool isEditing() const { return m_mode != Mode::Browse; }
    qint64 lastModified() const { return m_lastModified; }
    WriteError lastWriteError() const { return m_writeError; }

private:
    enum class Mode
    {
        Browse,
        Edit,
        Add
    };
    // Positions besides 0..n-1: before the first row, past the last, a current row whose place in
    // the order has not been looked up yet (after a seek), and "the first row, not yet read".
    static constexpr int kBof = -1;
    static constexpr int kUnknownPos = -2;
    static constexpr int kPendingFirst = -3;
    static constexpr int kEof = 0x7fffffff;

    void loadColumns();
    void ensureOrder();
    int positionOf(qint64 rowid);
    void resolvePosition();
    void resolvePendingFirst();
    void moveTo(int pos);
    bool isPastEdge(int edge); // no current row, and positioned before the first (kBof) or past the last (kEof)
    bool loadCurrentRow();
    bool loadBlockAt(int pos);
    void keepCachesAfterOwnWrite(quint64 generationBefore);
    bool prepare(std::optional<QSqlQuery>& q, const QString& sql);
    int columnIndex(const QString& field) const;
    bool fail(WriteError error, const QString& text);
    // Keeps a failed read's error (and tells the database, which watches for damage); false when none.
    bool noteReadError(const QSqlQuery& q);

    Database* m_db = nullptr;
    QString m_table;
    QString m_indexName;
    IndexColumn m_index;
    QStringList m_columns;
    QHash<QString, int> m_columnIndex; // lower-case name -> column
    quint64 m_schemaGeneration = 0;

    std::vector<qint64> m_order;
    quint64 m_orderGeneration = 0; // 0: not read yet
    QHash<qint64, int> m_positionOf;
    bool m_positionsIndexed = false;

    qint64 m_rowid = -1;
    int m_pos = kPendingFirst;
    bool m_currentDeleted = false;
    bool m_noMatch = false;
    QVector<QVariant> m_row;
    quint64 m_rowGeneration = 0;
    // Rows read ahead in index order for a walk, valid for one content generation.
    QHash<qint64, QVector<QVariant>> m_block;
    quint64 m_blockGeneration = 0;

    Mode m_mode = Mode::Browse;
    QHash<int, QVariant> m_buffer;
    qint64 m_lastModified = -1;
    WriteError m_writeError = WriteError::None;
    QString m_lastError;

    std::optional<QSqlQuery> m_rowQuery;
    std::optional<QSqlQuery> m_seekQuery;
    std::optional<QSqlQuery> m_blockQuery;
};

} // namespace catalogue
