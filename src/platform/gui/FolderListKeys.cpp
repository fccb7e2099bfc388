#include "platform/gui/FolderListKeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace platform {

namespace {

class ReturnOpensFolder : public QObject
{
public:
    explicit ReturnOpensFolder(QAbstractItemView* list) : QObject(list), m_list(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_list || event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        // Taken even with no folder under the cursor: a Return meant for the list never reaches OK.
        if (const QModelIndex current = m_list->currentIndex(); current.isValid())
            emit m_list->activated(current);
        return true;
    }

private:
    QAbstractItemView* m_list;
};

} // namespace

void openFoldersOnReturn(QAbstractItemView* folderList)
{
    folderList->installEventFilter(new ReturnOpensFolder(folderList));
}

} // namespace platform
