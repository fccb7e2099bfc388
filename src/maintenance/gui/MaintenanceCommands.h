#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The Tools menu's maintenance entries: the verification, the missing-files report and the resets of
// "Clear Database Field...". Also offers the verification to the start-up of a new version (the state's
// VerifyAvailableFiles).
void installMaintenanceCommands(app::CommandHost& host, app::AppState& state);
