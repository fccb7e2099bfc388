#include "browser/GameListModel.h"

#include "data/GameStore.h"
#include "data/Snapshot.h"

#include <algorithm>

namespace browser {

QColor colourFromCode(qint64 colourCode)
{
    // Windows keeps red in the low byte; the top byte (system colour flags) carries no colour.
    const auto value = static_cast<quint32>(colourCode) & 0x00FFFFFFu;
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

GameListModel::GameListModel(QObject* parent) : QAbstractListModel(parent) {}

QModelIndex GameListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || size_t(row) >= m_rows.size() || parent.isValid())
        return {};
    return createIndex(row, 0);
}

int GameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant GameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const Row& row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return row.name;
    case Qt::ForegroundRole:
        return colourFromCode(row.colourCode);
    default:
        return {};
    }
}

bool GameListModel::fill(const catalogue::ListRows& rows, const Progress& progress)
{
    // The rows are copied aside (the names themselves are shared, not copied) and swapped in with one
    // reset, so the model stays whole while the progress callback lets pending events run.
    std::vector<Row> filled = rows.rows();
    if (progress) {
        // The percent position of a record set walking the rows: row i of n is at i / (n - 1).
        const qint64 n = qint64(filled.size());
        int lastPercent = -1;
        for (qint64 i = 0; i < n; ++i) {
            const int percent = i >= n - 1 ? 100 : int(100 * i / (n - 1));
            if (percent != lastPercent) {
                lastPercent = percent;
                progress(percent);
            }
        }
    }
    beginResetModel();
    m_rows.swap(filled);
    m_known.clear();
    endResetModel();
    return rows.isValid();
}

void GameListModel::fillPartly(int rowCount, std::vector<std::pair<int, Row>> known)
{
    std::vector<Row> rows(size_t(std::max(rowCount, 0)));
    std::vector<int> knownRows;
    for (auto& [row, line] : known) {
        if (row >= 0 && row < rowCount) {
            rows[size_t(row)] = std::move(line);
            knownRows.push_back(row);
        }
    }
    beginResetModel();
    m_rows.swap(rows);
    m_known.swap(knownRows);
    endResetModel();
}

bool GameListModel::complete(const catalogue::ListRows& rows)
{
    const std::vector<Row>& all = rows.rows();
    bool agrees = rows.isValid() && all.size() == m_rows.size();
    for (int row : m_known) {
        agrees = agrees && all[size_t(row)].name == m_rows[size_t(row)].name &&
                 all[size_t(row)].colourCode == m_rows[size_t(row)].colourCode;
    }
    m_known.clear();
    if (!agrees) {
        fill(rows);
        return false;
    }
    m_rows = all;
    if (!m_rows.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole, Qt::EditRole, Qt::ForegroundRole});
    return true;
}

int GameListModel::rowOf(const QString& name) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

bool before(const GameListModel::Row& row, const QString& name)
{
    return catalogue::compareNames(row.name, name) < 0;
}

} // namespace

int GameListModel::rowOfName(const QString& name) const
{
    const auto place = std::lower_bound(m_rows.begin(), m_rows.end(), name, before);
    if (place != m_rows.end() && place->name == name)
        return static_cast<int>(place - m_rows.begin());
    // Rows out of the catalogue's order (a catalogue whose stored queries sort otherwise) are searched through.
    return rowOf(name);
}

int GameListModel::insertSorted(const Row& row)
{
    const int at = static_cast<int>(std::lower_bound(m_rows.begin(), m_rows.end(), row.name, before) - m_rows.begin());
    beginInsertRows(QModelIndex(), at, at);
    m_rows.insert(m_rows.begin() + at, row);
    endInsertRows();
    return at;
}

void GameListModel::removeAt(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

int GameListModel::replaceAt(int row, const Row& replacement)
{
    if (row < 0 || row >= rowCount())
        return -1;
    // The place among the other rows: those before the row and those after it are each still in order.
    const auto from = m_rows.begin() + row;
    int to = static_cast<int>(std::lower_bound(m_rows.begin(), from, replacement.name, before) - m_rows.begin());
    if (to == row)
        to = static_cast<int>(std::lower_bound(from + 1, m_rows.end(), replacement.name, before) - m_rows.begin()) - 1;
    if (to != row) {
        // Qt names the destination as the row it goes before, counted before the move.
        beginMoveRows(QModelIndex(), row, row, QModelIndex(), to > row ? to + 1 : to);
        if (to > row)
            std::rotate(from, from + 1, m_rows.begin() + to + 1);
        else
            std::rotate(m_rows.begin() + to, from, from + 1);
        m_rows[static_cast<size_t>(to)] = replacement;
        endMoveRows();
    } else {
        m_rows[static_cast<size_t>(row)] = replacement;
    }
    emit dataChanged(index(to), index(to));
    return to;
}

QString GameListModel::textAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_rows[static_cast<size_t>(row)].name;
}

int GameListModel::colourCodeAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    return m_rows[static_cast<size_t>(row)].colourCode;
}

} // namespace browser
