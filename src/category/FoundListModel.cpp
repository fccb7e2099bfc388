#include "category/FoundListModel.h"

#include <QColor>

namespace category {

namespace {

// The stored colours are Windows values, red in the low byte.
QColor colourOf(int colourCode)
{
    return QColor(colourCode & 0xFF, (colourCode >> 8) & 0xFF, (colourCode >> 16) & 0xFF);
}

} // namespace

FoundListModel::FoundListModel(QObject* parent) : QAbstractListModel(parent) {}

int FoundListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant FoundListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FoundEntry& e = m_entries[index.row()];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return e.text();
    if (role == Qt::ForegroundRole)
        return colourOf(e.colourCode);
    return {};
}

void FoundListModel::setEntries(QVector<FoundEntry> entries)
{
    if (entries.isEmpty())
        entries.append(FoundEntry::noneFound());
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void FoundListModel::clear()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

FoundEntry FoundListModel::entry(int row) const
{
    if (row < 0 || row >= rowCount()) {
        FoundEntry none = FoundEntry::noneFound();
        none.name.clear();
        return none;
    }
    return m_entries[row];
}

QString FoundListModel::textAt(int row) const
{
    return entry(row).text();
}

bool FoundListModel::noneFound() const
{
    return !m_entries.isEmpty() && m_entries.first().kind == FoundEntry::NoneFound;
}

int FoundListModel::rowOfText(const QString& text) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (m_entries[row].text() == text)
            return row;
    return -1;
}

int FoundListModel::rowOfTune(qint64 tuneRowid) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (m_entries[row].kind == FoundEntry::Tune && m_entries[row].tuneRowid == tuneRowid)
            return row;
    return -1;
}

int FoundListModel::removeAt(int row)
{
    if (row < 0 || row >= rowCount())
        return -1;
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.removeAt(row);
    endRemoveRows();
    return m_entries.isEmpty() ? -1 : std::min(row, rowCount() - 1);
}

} // namespace category
