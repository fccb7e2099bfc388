#pragma once

#include "category/CategoryLists.h"

#include <QAbstractListModel>

// lstFound's lines: games in their stored colours, stand-alone tunes in green with " (Sid)", or the one line "No
// games available".
namespace category {

class FoundListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit FoundListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Replaces every line; an empty list shows "No games available".
    void setEntries(QVector<FoundEntry> entries);
    void clear();

    // The line of row; a NoneFound entry for a row that does not exist.
    FoundEntry entry(int row) const;
    QString textAt(int row) const;
    // Whether the list says "No games available".
    bool noneFound() const;
    // The first row showing text exactly, or -1.
    int rowOfText(const QString& text) const;
    // The row of the tune with that rowid, or -1.
    int rowOfTune(qint64 tuneRowid) const;

    // Takes the line away and returns the row to select after it: the same row, the new last one when the last
    // went, -1 when none is left.
    int removeAt(int row);

private:
    QVector<FoundEntry> m_entries;
};

} // namespace category
