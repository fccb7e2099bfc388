#pragma once

#include "data/ListRows.h"

#include <QAbstractListModel>
#include <QColor>
#include <QString>

#include <functional>
#include <vector>

namespace browser {

// The colour a stored list colour code stands for: a Windows 0x00BBGGRR value.
QColor colourFromCode(qint64 colourCode);

// The rows of lstGames: each game's name, drawn in its stored colour.
class GameListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using Row = catalogue::ListRow;

    explicit GameListModel(QObject* parent = nullptr);

    // Without the generic checks of a list model: the list lays out every row through it.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Receives the record set's percent position (0 to 100) while a fill runs; called only when the
    // whole-number percentage changes, so a form may let pending events run in it.
    using Progress = std::function<void(int percent)>;

    // Replaces every row with the list's rows in one model reset. An invalid list leaves the list empty
    // and returns false.
    bool fill(const catalogue::ListRows& rows, const Progress& progress = {});

    // A long list before all of it is read: rowCount rows, of which only the known ones (by row number)
    // are there: those in sight when the window first shows, and the last one, whose size the list gives
    // every row. The others are empty until complete() brings them. One model reset.
    void fillPartly(int rowCount, std::vector<std::pair<int, Row>> known);
    // Brings every row of a partly filled list. When the list has as many rows and agrees with every known
    // one, the rows are filled in place (the selection and the scrolling stay) and true is returned;
    // otherwise it is filled again as by fill() and false is returned.
    bool complete(const catalogue::ListRows& rows);

    // The first row whose text equals name exactly (case counts), or -1.
    int rowOf(const QString& name) const;

    // One row at a time, as the catalogue announces a game added, removed or changed. The rows stay in the
    // order a fill gives them (the catalogue's order of names, letter case aside): a new or renamed row goes
    // where a fill would put it, found by halving, so none of these reads the whole list.
    //
    // The row whose text equals name exactly, or -1; as rowOf, in steps of halving while the rows are in order.
    int rowOfName(const QString& name) const;
    // Inserts the row at its place and returns that place.
    int insertSorted(const Row& row);
    void removeAt(int row);
    // The row takes new text and colour and moves to the place of its new text; returns that place. The
    // selection, which follows the row's index, moves with it.
    int replaceAt(int row, const Row& replacement);
    // The row's text; empty for a row that does not exist.
    QString textAt(int row) const;
    int colourCodeAt(int row) const;

private:
    std::vector<Row> m_rows;
    std::vector<int> m_known; // while partly filled: the rows that are there
};

} // namespace browser
