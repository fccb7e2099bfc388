#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The game launching commands: the three play buttons and their popup items, and the joystick
// dialog (Edit > "&Emulator Settings..." with F9, and the popup's "Change Emulator Settings...").
// The play commands unpack archives with converters of their own, which read WinZip's program from the settings
// and ask the archive-rename dialog the state offers.
void installLaunchCommands(app::CommandHost& host, app::AppState& state);
