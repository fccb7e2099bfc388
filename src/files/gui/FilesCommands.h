#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// File assignment: the game file, document and screenshot commands of the Edit menu, the popup and the detail
// panel's labels, and "View Docs". Offers the other subsystems, through the state, the game file dialog for a new
// game, the generic browse dialog and the archive-rename dialog the converters ask for.
void installFilesCommands(app::CommandHost& host, app::AppState& state);
