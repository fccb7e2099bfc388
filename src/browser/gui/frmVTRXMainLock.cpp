// The main window while the category browser is open: the browser selects games in the list, so the list keeps its
// view and nothing edits the catalogue under it. The lock is part of every refresh of the commands, so no command's
// own rule can switch a locked one back on, and the refresh after the browser closes gives each back its state.
#include "browser/gui/frmVTRXMain.h"

#include "appstate/AppState.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <functional>

QSet<const QObject*> frmVTRXMain::browserLockedCommands() const
{
    QSet<const QObject*> locked{cmdAll, cmdGamesOnly, cmdMusicOnly};
    std::function<void(const QAction*)> lockWithEntries = [&](const QAction* action) {
        locked.insert(action);
        if (const QMenu* menu = action->menu())
            for (const QAction* entry : menu->actions())
                lockWithEntries(entry);
    };
    for (const QString& name : app::lockedWhileBrowsing()) {
        const QObject* c = command(name);
        if (const auto* action = qobject_cast<const QAction*>(c))
            lockWithEntries(action);
        else if (c)
            locked.insert(c);
    }
    return locked;
}

bool frmVTRXMain::lockedByBrowser(const QObject* command) const
{
    return m_state.categoryBrowserOpen && m_browserLocked.contains(command);
}

void frmVTRXMain::applyBrowserLock()
{
    // Only the button of the view on show stays, and it is the one the view's rule keeps disabled. No label stays
    // green under the mouse: none of them acts now.
    const bool open = m_state.categoryBrowserOpen;
    if (open)
        DetailLabel_MouseLeave();
    cmdAll->setVisible(!open || m_view == browser::GameListView::All);
    cmdGamesOnly->setVisible(!open || m_view == browser::GameListView::Playable);
    cmdMusicOnly->setVisible(!open || m_view == browser::GameListView::Tunes);
}
