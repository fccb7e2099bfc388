#include "maintenance/FileChecks.h"

#include "data/CatalogueNames.h"
#include "launch/PlayCurrentGame.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"

namespace maintenance {

bool gameFileFound(const Settings& settings, const QString& storedName)
{
    return launch::findGameFile(settings, storedName).folderIndex >= 0;
}

bool fileFoundBelow(const QString& folder, const QString& storedName)
{
    if (folder.trimmed().isEmpty() || !catalogue::namesAFile(storedName))
        return false;
    const QString path = platform::storedNameToPath(folder, storedName);
    return !path.isEmpty() && platform::CheckPathExists(path, false);
}

int listColour(const QString& gameFile, const QString& tune)
{
    auto orNone = [](const QString& name) { return catalogue::namesAFile(name) ? name : catalogue::kNone; };
    return catalogue::colourCodeFor(orNone(gameFile), orNone(tune));
}

QString gameFileLocation(const QString& storedName)
{
    return QStringLiteral("All Games Paths\\") + storedName;
}

QString locationBelow(const QString& folder, const QString& storedName)
{
    const QString path = platform::storedNameToPath(folder, storedName);
    return path.isEmpty() ? storedName : path;
}

} // namespace maintenance
