#include "files/GameFileActions.h"

#include "data/CurrentGame.h"
#include "files/GameFileRules.h"
#include "launch/PlayCurrentGame.h"
#include "platform/FileOperations.h"
#include "platform/PathNames.h"

#include <QDir>
#include <QFileInfo>

namespace files {

namespace {

QString realPath(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

GameFileActionOutcome finish(const platform::FileOperationResult& result, const QString& failedWhat,
                             catalogue::CurrentGame* game)
{
    GameFileActionOutcome outcome;
    if (!result.ok) {
        outcome.message = failedWhat + QStringLiteral("\n") + result.reason;
        return outcome;
    }
    outcome.done = true;
    if (!game)
        return outcome;
    outcome.unlinked = game->change(unlinkedGameFileValues());
    if (!outcome.unlinked)
        outcome.message = QStringLiteral("The game's Filename could not be cleared:\n") + game->lastError();
    return outcome;
}

} // namespace

bool isGamesOwnFile(const QString& path, const QString& storedFilename, const Settings& settings)
{
    const QString own = realPath(launch::findGameFile(settings, storedFilename).path);
    return !own.isEmpty() && own == realPath(path);
}

QString deleteQuestion(const QString& fileName, const QString& folder)
{
    return QStringLiteral("Remove '") + fileName + QStringLiteral("' from '") + folder + QStringLiteral("'?");
}

GameFileActionOutcome deleteGameFile(const QString& path, catalogue::CurrentGame* game)
{
    return finish(platform::deleteFile(path),
                  QStringLiteral("'") + platform::FileNameOfPath(path) + QStringLiteral("' could not be removed:"), game);
}

GameFileActionOutcome renameGameFile(const QString& path, const QString& newName, catalogue::CurrentGame* game)
{
    const QString target = platform::joinPath(platform::FolderOfPath(path), newName);
    return finish(platform::renameFile(path, target),
                  QStringLiteral("'") + platform::FileNameOfPath(path) + QStringLiteral("' could not be renamed:"), game);
}

GameFileActionOutcome moveGameFile(const QString& path, const QString& targetFolder, catalogue::CurrentGame* game)
{
    const QString target = platform::joinPath(targetFolder, platform::FileNameOfPath(path));
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return {false, false, kFileExistsInFolder};
    return finish(platform::moveFile(path, target),
                  QStringLiteral("'") + platform::FileNameOfPath(path) + QStringLiteral("' could not be moved:"), game);
}

} // namespace files
