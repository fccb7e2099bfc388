#pragma once

#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"

#include <functional>

class QSettings;

namespace catalogue {
class Catalogue;
}

namespace browser {

// The main window as it is when it closes. Measures are twips.
struct MainWindowState
{
    double top = 0;
    double left = 0;
    double width = 0;
    double height = 0;
    bool minimised = false; // Top and Left then keep the values of the previous run
    bool view = false;      // the game-details view menu entry
    bool ssView = false;    // the screenshot view menu entry
};

// The main window's own parts of its unload. Empty steps are skipped.
struct ShutdownSteps
{
    std::function<void()> stopScroller;
    bool categoryBrowserOpen = false;
    std::function<void()> unloadCategoryBrowser;
    std::function<void()> unloadOtherWindows;
};

// The main window's unload: a running SID player is closed when LeaveSPRunningFlag is 1, the scroller
// stops, the record sets and the catalogue close, every setting is written with the window's state,
// then the other windows go. A settings file that cannot be written is reported; the result says how
// the write went.
SettingsWriteStatus runMainWindowUnload(catalogue::Catalogue& catalogue, QSettings& store, Settings settings,
                                        const MainWindowState& window, const ShutdownSteps& steps);

} // namespace browser
