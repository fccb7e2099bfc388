#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The screenshot commands: the screenshot dialog from the Edit menu, the popup and a right click on the
// screenshot, and Tools "Set Screenshot as Wallpaper".
void installScreenshotCommands(app::CommandHost& host, app::AppState& state);
