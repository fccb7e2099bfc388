#pragma once

#include <QListView>

// lstGames: the game list. It draws each row in the colour its model gives, keeps every row the same
// height (so 30,000 rows lay out at once), and leaves the search by typed letters to the window, which
// has its own type-ahead rule. A right click does not move the selection: the popup menu works on the
// selected game.
class GameListBox : public QListView
{
    Q_OBJECT

public:
    explicit GameListBox(QWidget* parent = nullptr);

    void keyboardSearch(const QString& search) override;

    // The selected row, -1 when none is selected.
    int selectedRow() const;
    void selectRow(int row);
    void clearSelectedRow();

signals:
    // A key press with a character (its code); the key still goes to the list afterwards.
    void characterTyped(int code);
    void rightButtonReleased(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
