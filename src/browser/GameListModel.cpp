#include "browser/GameListModel.h"

#include "data/Snapshot.h"

namespace browser {

QColor colourFromCode(qint64 colourCode)
{
    // Windows keeps red in the low byte; the top byte (system colour flags) carries no colour.
    const auto value = static_cast<quint32>(colourCode) & 0x00FFFFFFu;
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

GameListModel::GameListModel(QObject* parent) : QAbstractListModel(parent) {}

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

bool GameListModel::fill(catalogue::Snapshot& rows, const Progress& progress)
{
    // The rows are gathered aside and swapped in with one reset, so the model stays whole while the
    // progress callback lets pending events run.
    std::vector<Row> filled;
    if (rows.isValid()) {
        filled.reserve(static_cast<size_t>(rows.recordCount()));
        int lastPercent = -1;
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            filled.push_back({rows.value(0).toString(), static_cast<int>(rows.value(1).toLongLong() & 0x00FFFFFF)});
            if (progress) {
                const int percent = static_cast<int>(rows.percentPosition());
                if (percent != lastPercent) {
                    lastPercent = percent;
                    progress(percent);
                }
            }
        }
    }
    beginResetModel();
    m_rows.swap(filled);
    endResetModel();
    return rows.isValid();
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
