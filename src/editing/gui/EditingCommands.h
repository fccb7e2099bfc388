#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// Gives life to the editing commands: the Add button and the File menu's Add and Remove entries, the Edit menu's
// and the popup's field editors, and the clicks on the name, comment, high score and trained labels and the right
// clicks on the seven lookup labels.
void installEditingCommands(app::CommandHost& host, app::AppState& state);
