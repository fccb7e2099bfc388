#pragma once

#include <QListView>

namespace platform {

// A list of one-line rows with a colour each, as the game list and the category browser's found list are. It draws
// each row in the colour its model gives, keeps every row the same height (so 30,000 rows lay out at once), and
// leaves the search by typed letters to the window, which has its own type-ahead rule. A right click does not move
// the selection: the popup menu works on the selected row, and the keyboard opens it too (the Menu key, Shift+F10)
// at the selected row. Enter on a row does what a double-click does. A removed selected row takes the selection
// with it: which row is selected next is the window's rule, not the list's own pick of a neighbour.
class ListBox : public QListView
{
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    void keyboardSearch(const QString& search) override;

    // The selected row, -1 when none is selected.
    int selectedRow() const;
    void selectRow(int row);
    void clearSelectedRow();

    // The most rows the list could show at once, on the tallest screen: every row is at least a line of
    // its font high.
    int mostRowsInSight() const;
    // Runs pending events other than the user's until the list has been drawn since it was last shown,
    // or timeoutMs have passed.
    void waitUntilDrawn(int timeoutMs);

signals:
    void drawn();
    // A key press with a character (its code); the key still goes to the list afterwards.
    void characterTyped(int code);
    // The popup menu is asked for: a right button release, or the keyboard over the selected row.
    void popupRequested(const QPoint& globalPos);
    void rowActivatedByKey();

protected:
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void requestPopupAtSelection();

    bool m_drawn = false; // since last shown
};

} // namespace platform
