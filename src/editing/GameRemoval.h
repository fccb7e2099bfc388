#pragma once

#include <QString>

struct Settings;
namespace catalogue {
class CurrentGame;
class Database;
class GameStore;
} // namespace catalogue

// Removing the current game from the catalogue, and its screenshot when the user asks for that.
namespace editing {

// The game that names this screenshot file besides exceptRowid (letter case aside, as the catalogue compares
// names); empty when none does.
QString otherGameWithScreenshot(catalogue::Database& db, const QString& storedName, qint64 exceptRowid);

struct RemovalOutcome
{
    bool removed = false;
    bool screenshotDeleted = false;
};

// Asks "Remove '…' from Database?" when the preferences want it confirmed and, for a game with a screenshot that no
// other game names, whether to delete it too. The row goes first; only then is the screenshot deleted, so a refused
// removal leaves both. A screenshot another game still names is kept, and the user is told so; a delete that fails
// is reported. The game lists follow the store's announcement.
RemovalOutcome removeCurrentGame(catalogue::GameStore& store, catalogue::Database& db, catalogue::CurrentGame& game,
                                 const Settings& settings, const QString& screenshotsFolder);

} // namespace editing
