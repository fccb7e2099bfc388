#include "platform/gui/ListBox.h"

#include <QContextMenuEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace platform {

ListBox::ListBox(QWidget* parent) : QListView(parent)
{
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ListBox::keyboardSearch(const QString&) {}

int ListBox::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::selectRow(int row)
{
    const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
    if (!index.isValid()) {
        clearSelectedRow();
        return;
    }
    // The rows of a list just filled are laid out before one of them is selected: a selected row makes
    // the layout of every other row look it up among the selection's rows.
    executeDelayedItemsLayout();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ListBox::clearSelectedRow()
{
    if (selectionModel()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void ListBox::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    const QModelIndex current = currentIndex();
    // The view selects a neighbour of a removed current row by itself; without a current row it leaves that to us.
    if (current.isValid() && !parent.isValid() && current.row() >= start && current.row() <= end)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QListView::rowsAboutToBeRemoved(parent, start, end);
}

int ListBox::mostRowsInSight() const
{
    int tallest = 0;
    for (const QScreen* screen : QGuiApplication::screens())
        tallest = std::max(tallest, screen->availableGeometry().height());
    return tallest / std::max(1, fontMetrics().height()) + 1;
}

void ListBox::waitUntilDrawn(int timeoutMs)
{
    if (m_drawn || !isVisible())
        return;
    QEventLoop loop;
    connect(this, &ListBox::drawn, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void ListBox::showEvent(QShowEvent* event)
{
    m_drawn = false;
    QListView::showEvent(event);
}

void ListBox::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    m_drawn = true;
    emit drawn();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        requestPopupAtSelection();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedRow() >= 0) {
        event->accept();
        emit rowActivatedByKey();
        return;
    }
    // With nothing selected the list's cursor may still stand on a row it was given when it got the
    // focus: the first Down selects the first row rather than the one after that cursor.
    if (key == Qt::Key_Down && selectedRow() < 0 && model() && model()->rowCount() > 0) {
        event->accept();
        selectRow(0);
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        emit characterTyped(text.at(0).unicode());
    QListView::keyPressEvent(event);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit popupRequested(event->globalPosition().toPoint());
        return;
    }
    QListView::mouseReleaseEvent(event);
}

void ListBox::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse's own popup comes with the right button's release; this is the keyboard's.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        event->accept();
        requestPopupAtSelection();
        return;
    }
    QListView::contextMenuEvent(event);
}

void ListBox::requestPopupAtSelection()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QRect place = visualRect(model()->index(row, 0));
    emit popupRequested(viewport()->mapToGlobal(place.bottomLeft()));
}

} // namespace platform
