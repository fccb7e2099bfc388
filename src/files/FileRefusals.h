#pragma once

#include "data/settings/Settings.h"

#include <QString>

namespace files {

// The game's file can be chosen only below the first games folder.
inline const QString kGameFileNeedsGamesPath =
    QStringLiteral("To View/Change/Remove a Filename, you must set the 1st Games Path entry in 'Preferences'.");
// The detail panel's "Sid Tune:" label and the Edit menu's tune command word this refusal differently.
inline const QString kTuneLabelNeedsMusicPath = QStringLiteral(
    "To View/Change/Remove a Sid Tune, you must first set the Path for your Sid Tunes in 'Preferences'.");
inline const QString kTuneMenuNeedsMusicPath =
    QStringLiteral("To View/Change/Remove a SidTune, you must first set the Path for your Sid Tunes in 'Preferences'.");

inline bool gameFileChoosable(const Settings& settings)
{
    return !settings.GamesPath[0].isEmpty();
}

inline bool tuneChoosable(const Settings& settings)
{
    return !settings.MusicPath.isEmpty();
}

} // namespace files
