#include "launch/PlayButtons.h"

#include "data/CatalogueNames.h"
#include "data/settings/Settings.h"

#include <algorithm>

namespace launch {

bool PlayButtons::enabled(EmulatorKind kind) const
{
    switch (kind) {
    case EmulatorKind::Ccs64Dos19:
        return runGame;
    case EmulatorKind::Ccs64Dos20:
        return run20Dos;
    case EmulatorKind::Ccs64Win32:
        return run20Win;
    }
    return false;
}

PlayButtons playButtonsFor(const QString& gameFilename, const Settings& settings)
{
    const bool anyGamesPath = std::any_of(settings.GamesPath.begin(), settings.GamesPath.end(),
                                          [](const QString& path) { return !path.isEmpty(); });
    if (gameFilename == catalogue::kNone || gameFilename.isEmpty() || !anyGamesPath)
        return {};
    return {!settings.CCS64Path.isEmpty(), !settings.CCS642Path.isEmpty(), !settings.DirectXPath.isEmpty()};
}

} // namespace launch
