#pragma once

#include "browser/GameListModel.h"
#include "browser/GameListSelection.h"
#include "browser/GameListViews.h"
#include "data/settings/Settings.h"
#include "platform/Folders.h"

#include <QStringList>

#include <array>
#include <functional>

class QSettings;

namespace catalogue {
class Catalogue;
}

namespace browser {

// The main window's own parts of its load, handed in by the window. Any step left empty is skipped,
// except openCatalogue, without which start-up cannot go on.
struct StartupSteps
{
    // Opens the catalogue with its messages and, for an older layout, the upgrade window; false ends
    // the program. The application passes openCatalogueAtStartup.
    std::function<bool(catalogue::Catalogue&, QSettings& store)> openCatalogue;
    // Applies the loaded settings: window size and position, view menus, layout; clears the browser
    // flags and the type-ahead text; points the game file dialog's folders at games path 0.
    std::function<void(const Settings&)> applySettings;
    // One bookmark menu item: caption and whether it is shown (hidden items stay hidden).
    std::function<void(int index, const Favourite&, bool visible)> setFavourite;
    // The saved view is about to be filled: its caption goes to lblWhatView, its button is disabled.
    std::function<void(const GameListViewInfo&)> showView;
    GameListModel::Progress fillProgress;
    // The most rows the list can show at once (on the largest screen). With it, a long all-games list
    // shows with only the rows in sight read, and the rest is read once the window is on screen; 0 or
    // none reads the whole list first.
    std::function<int()> rowsInSight;
    // Runs pending events other than the user's until the list is on screen (or a short while passed).
    std::function<void()> waitUntilListShown;
    // Selects the start-up row (or nothing), or shows the no-game state for an empty list.
    std::function<void(const ListSelection&)> selectGame;
    // Caption and counts, default pointer, splash gone, main window shown, pending events run.
    std::function<void()> showMainWindow;
    // The preferences dialog, opened as by its menu command (first run only).
    std::function<void()> openPreferences;
    // Whether a command (by its object name) can run now; the first-run notes point only to those.
    std::function<bool(const QString&)> commandAvailable;
    // The verification window, modal over the main window (first start of this version only).
    std::function<void()> runVerification;
    // Focus to the game list and the loaded flag set.
    std::function<void()> finishLoad;
};

enum class StartupEnd
{
    GoesOn,
    MissingTool,       // a conversion tool is missing; its message has been shown
    CatalogueUnusable, // the catalogue could not be opened or brought up to date; its message has been shown
};

struct StartupOutcome
{
    StartupEnd end = StartupEnd::GoesOn;
    QString missingTool; // the full path of the first missing tool
    Settings settings;   // as loaded, for the rest of the run
    std::array<bool, FavouriteCount> visibleFavourites{};
    GameListView view = GameListView::All;
    ListSelection selection;
    bool partlyFilled = false; // the window showed before the whole saved view was read
    QString listError;         // the engine's message when the saved view could not be read
    bool notesShown = false;
    bool upgradeNoticeShown = false;

    bool goesOn() const { return end == StartupEnd::GoesOn; }
};

// The four tools every start checks for in the conversion folder, in the order they are checked.
QStringList requiredConversionTools();

// Checks the tools of the conversion folder in order with the file-exists message; returns the path of the
// first missing one, empty when all are there.
QString checkConversionTools(const platform::Folders& folders);

// The main window's load: tools, catalogue, settings, bookmarks, the saved view's list and selection,
// then the first-run notes or the notice for an installation of an earlier version. firstRun is the
// splash's reading of "ShowPrefs"; folders says where the tools are, and the notes name them. A missing tool or
// an unusable catalogue ends it before anything is loaded or written.
StartupOutcome runMainWindowLoad(catalogue::Catalogue& catalogue, GameListModel& model, QSettings& store, bool firstRun,
                                 const platform::Folders& folders, const SettingsLoadContext& loadContext,
                                 const StartupSteps& steps);

} // namespace browser
