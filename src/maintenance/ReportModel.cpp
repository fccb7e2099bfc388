#include "maintenance/ReportModel.h"

#include <algorithm>
#include <numeric>

namespace maintenance {

ReportModel::ReportModel(const QStringList& columnTitles, QObject* parent)
    : QAbstractTableModel(parent), m_titles(columnTitles)
{
}

int ReportModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant ReportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= int(ReportRow().size()))
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_rows.at(index.row()).at(size_t(index.column()));
    return {};
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_titles.size())
        return m_titles.at(section);
    return {};
}

void ReportModel::sort(int column, Qt::SortOrder)
{
    if (column < 0 || column >= m_titles.size())
        return;
    m_sortColumn = column;
    sortRows();
}

void ReportModel::sortRows()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Letter case aside, as a report list compares its texts; rows that compare equal keep their order.
    const auto column = size_t(m_sortColumn);
    QVector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this, column](int a, int b) {
        return m_rows[a][column].compare(m_rows[b][column], Qt::CaseInsensitive) < 0;
    });
    QVector<ReportRow> sorted;
    sorted.reserve(m_rows.size());
    QVector<int> newRow(m_rows.size());
    for (int i = 0; i < order.size(); ++i) {
        sorted.append(std::move(m_rows[order[i]]));
        newRow[order[i]] = i;
    }
    m_rows = std::move(sorted);
    // The selected line stays selected where its row went.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after.append(this->index(newRow.value(index.row()), index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ReportModel::append(const QVector<ReportRow>& rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + rows.size()) - 1);
    m_rows += rows;
    endInsertRows();
    // A sorted list takes new rows in their places.
    if (m_sortColumn >= 0)
        sortRows();
}

} // namespace maintenance
