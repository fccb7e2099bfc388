#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The Help menu: the two help files, opened through the desktop, and the about box.
void installHelpCommands(app::CommandHost& host, app::AppState& state);
