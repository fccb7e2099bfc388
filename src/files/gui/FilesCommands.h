#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// File assignment: the archive-rename dialog the converters ask for, and the detail panel's
// "Game File:" and "Sid Tune:" labels. Their dialogs are not part of this build: a click on either label
// tells the user which folder Preferences must name first when it is not set, and does nothing else.
void installFilesCommands(app::CommandHost& host, app::AppState& state);
