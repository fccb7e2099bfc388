#pragma once

#include "data/settings/Settings.h"

#include <QString>

namespace files {

// The game's file can be chosen only below the first games folder.
inline const QString kGameFileNeedsGamesPath =
    QStringLiteral("To View/Change/Remove a Filename, you must set the 1st Games Path entry in 'Preferences'.");

inline bool gameFileChoosable(const Settings& settings)
{
    return !settings.GamesPath[0].isEmpty();
}

} // namespace files
