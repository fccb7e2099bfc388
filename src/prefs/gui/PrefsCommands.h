#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// Preferences and bookmarks: the twenty bookmark items of the Favourites menu open their addresses
// with the desktop. The preferences dialog and the bookmark editor are not part of this build.
void installPrefsCommands(app::CommandHost& host, app::AppState& state);
