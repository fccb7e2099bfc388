#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The game launching commands: the three play buttons and their popup items, and the joystick
// dialog (Edit > "&Emulator Settings..." with F9, and the popup's "Change Emulator Settings...").
// Also hands the archive converters their rename dialog.
void installLaunchCommands(app::CommandHost& host, app::AppState& state);
