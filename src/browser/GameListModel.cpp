#include "browser/GameListModel.h"

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

void GameListModel::setColourCode(int row, int colourCode)
{
    if (row < 0 || row >= rowCount() || m_rows[static_cast<size_t>(row)].colourCode == colourCode)
        return;
    m_rows[static_cast<size_t>(row)].colourCode = colourCode;
    emit dataChanged(index(row), index(row), {Qt::ForegroundRole});
}

} // namespace browser
