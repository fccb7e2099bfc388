#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

namespace maintenance {

// One line of a report: the kind of file, the game or tune it belongs to, and what was found (a status or
// the place looked at).
using ReportRow = std::array<QString, 3>;

// The rows of a verification or missing-files report, for a list in report mode. A click on a column's header
// sorts by that column, ascending; the list then stays sorted as rows are added.
class ReportModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ReportModel(const QStringList& columnTitles, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Always ascending, whatever order is asked for: a second click on a header sorts the same way again.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    void append(const QVector<ReportRow>& rows);
    const QVector<ReportRow>& rows() const { return m_rows; }
    int sortColumn() const { return m_sortColumn; }

private:
    void sortRows();

    QStringList m_titles;
    QVector<ReportRow> m_rows;
    int m_sortColumn = -1;
};

} // namespace maintenance
