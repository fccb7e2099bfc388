#include "category/gui/CategoryCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "category/CategoryKinds.h"
#include "category/gui/frmVTRXCategory.h"
#include "data/Schema.h"

#include <QPointer>
#include <QWidget>

namespace {

// Keeps the one browser window, open or closed since. It belongs to the main window: the window goes when the main
// window goes, and it closes before the catalogue does.
class CategoryBrowser : public QObject
{
public:
    CategoryBrowser(app::CommandHost& host, app::AppState& state)
        : QObject(host.dialogParent()), m_host(host), m_state(state)
    {
    }
    ~CategoryBrowser() override { delete m_window; }

    // The open window; nullptr while none is.
    frmVTRXCategory* window() const { return m_state.categoryBrowserOpen ? m_window : nullptr; }

    void open(int kind)
    {
        if (window()) {
            m_window->raise();
            m_window->activateWindow();
            return;
        }
        // A closed window keeps nothing: each opening starts afresh.
        delete m_window;
        // The lists of a value's games read an index of Games; a catalogue made before the browser had them gets
        // them at the first opening of a run (without them, a list reads the whole table).
        if (!m_indexed) {
            catalogue::createLookupIndexes(m_state.catalogue.db());
            m_indexed = true;
        }
        m_state.CategoryKind = kind;
        m_state.categoryBrowserOpen = true;
        m_host.refreshCommands(); // the main window is locked from now on
        m_window = new frmVTRXCategory(m_host, m_state);
        m_window->Form_Load();
        m_window->show();
        m_window->keepOnScreen();
        m_window->Form_Activate();
    }

    void close()
    {
        if (window())
            m_window->close();
    }

private:
    app::CommandHost& m_host;
    app::AppState& m_state;
    QPointer<frmVTRXCategory> m_window;
    bool m_indexed = false;
};

} // namespace

void installCategoryCommands(app::CommandHost& host, app::AppState& state)
{
    auto* browser = new CategoryBrowser(host, state);
    // The openers act while the list has games, as the panel's other commands do.
    auto listHasGames = [&host] { return host.shownGameCount() > 0; };
    for (const char* name : {"cmdReport", "mnuFileReports"})
        app::installCommand(
            host, QString::fromLatin1(name), app::Acts::Always, [browser] { browser->open(category::kNoCategory); },
            listHasGames);
    for (const category::CategoryInfo& info : category::categories()) {
        const int kind = info.kind;
        app::installCommand(
            host, info.menuItem, app::Acts::Always, [browser, kind] { browser->open(kind); }, listHasGames);
        app::installLabelClick(
            host, catalogue::lookupInfo(info.lookup).label, app::LabelButton::Left,
            [browser, kind] { browser->open(kind); },
            [&host, &state] { return !state.categoryBrowserOpen && host.hasCurrentGame(); });
    }

    // The state outlives the main window: what it keeps reaches the browser only while it is there.
    QPointer<CategoryBrowser> kept(browser);
    state.catalogueClosingHandlers.push_back([kept] {
        if (kept)
            kept->close();
    });
    state.gameSelectedHandlers.push_back([kept] {
        if (kept && kept->window())
            kept->window()->MainWindow_GameSelected();
    });
    state.ChosenCategoryTune = [kept]() -> std::optional<QString> {
        if (kept && kept->window())
            return kept->window()->chosenTune();
        return std::nullopt;
    };
}
