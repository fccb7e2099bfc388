#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// Preferences and bookmarks: File "&Preferences..." (also the first start's preferences step), the twenty
// bookmark items of the Favourites menu, which open their addresses with the desktop, and "&Edit
// Favourites...". After either dialog the main window follows the settings.
void installPrefsCommands(app::CommandHost& host, app::AppState& state);
