#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The category browser's openers: the "Categories" button and File "&Categories" (no category chosen), the seven
// category entries of the View menu, and a left click on the seven lookup labels of the detail panel (on the game's
// value). One browser at most is open; the main window's lock while it is open is the command host's rule. Offers
// the tune chosen in the browser to the tune information through the state.
void installCategoryCommands(app::CommandHost& host, app::AppState& state);
