#pragma once

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The tune commands: "Play Sid" and its popup twin, non-stop music (F12) and the tune it plays on every
// selection, the SID information dialog, and the SID file dialog from the Edit menu, the popup and the
// detail panel's "Sid Tune:" label. Offers the SID file dialog for a new stand-alone tune in the state.
void installMusicCommands(app::CommandHost& host, app::AppState& state);
