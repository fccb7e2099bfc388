#include "launch/PlayCurrentGame.h"
#include "data/GameFields.h"

#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/settings/Settings.h"
#include "launch/clsC64Game.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"
#include "platform/SidPlayProcess.h"

#include <QCoreApplication>

namespace launch {

namespace {

// The stored name with its last component replaced, sub-folders and separators kept.
QString withFileName(const QString& stored, const QString& newName)
{
    const qsizetype cut = std::max(stored.lastIndexOf(QLatin1Char('\\')), stored.lastIndexOf(QLatin1Char('/')));
    return stored.left(cut + 1) + newName;
}

} // namespace

FoundGameFile findGameFile(const Settings& settings, const QString& stored)
{
    if (stored.isEmpty() || stored == catalogue::kNone)
        return {};
    for (int i = 0; i < int(settings.GamesPath.size()); ++i) {
        const QString& folder = settings.GamesPath[size_t(i)];
        if (folder.trimmed().isEmpty())
            continue;
        // The silent existence test is this lookup: what it finds is the file's path on disk.
        const QString candidate = platform::storedNameToPath(folder, stored);
        if (const QString found = candidate.isEmpty() ? QString() : platform::ShortPathName(candidate);
            !found.isEmpty())
            return {i, found};
    }
    return {};
}

QString fileNotFoundInGamePathsMessage(const QString& storedFilename)
{
    return QStringLiteral("File not found in any of your Game Paths:  \"") + storedFilename + QLatin1Char('"');
}

QString archiveNameNotStoredMessage(const QString& newName, const QString& reason)
{
    return QStringLiteral("The archive is now called %1, but the vintrax database could not store its new name:\n")
               .arg(newName) +
           reason + QStringLiteral("\nThe game still names the old file: set its file again before you play it.");
}

PlayOutcome PlayCurrentGame(EmulatorKind kind, const Settings& settings, catalogue::CurrentGame& current,
                            clsC64Game& game, const QString& workFolder, const PlayHooks& hooks)
{
    PlayOutcome outcome;
    if (!current.record())
        return outcome;
    QString stored = current.text(catalogue::field::Filename);
    const QString full = findGameFile(settings, stored).path;
    if (full.isEmpty()) {
        platform::MessageBox::critical(fileNotFoundInGamePathsMessage(stored));
        return outcome;
    }
    const QString archiveFolder = platform::FolderOfPath(full);
    QString archiveName = platform::FileNameOfPath(full);
    QString imagePath;

    const std::optional<ArchiveKind> type = clsC64Game::archiveKindOf(stored);
    if (!type) {
        imagePath = full;
    } else {
        if (hooks.hourglass)
            hooks.hourglass(true);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        ConversionResult r = game.Convert(*type, archiveFolder, archiveName, workFolder);
        if (r.ok && r.imagePath.isEmpty()) {
            // The user renamed the archive after the game to boot: the catalogue follows the file, and
            // the renamed archive is converted again, which now finds that game by name.
            archiveName = game.archiveHandover().ArchiveName;
            const QString renamed = platform::ShortPathName(platform::joinPath(archiveFolder, archiveName));
            if (!renamed.isEmpty()) {
                archiveName = platform::FileNameOfPath(renamed);
                stored = withFileName(stored, archiveName);
                // A catalogue that keeps the old name would only say "File not found" at the next play.
                if (!current.change({{catalogue::field::Filename, stored}}))
                    r = {false, {}, archiveNameNotStoredMessage(archiveName, current.lastError())};
                else
                    r = game.Convert(*type, archiveFolder, archiveName, workFolder);
            }
        }
        if (hooks.hourglass)
            hooks.hourglass(false);
        // The window repaints; a click meanwhile waits, so a second start cannot empty the working folder under this
        // one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!r.ok) {
            platform::MessageBox::exclamation(r.report);
            return outcome;
        }
        imagePath = r.imagePath;
        if (imagePath.isEmpty())
            return outcome; // still no single game to start: nothing starts, nothing is recorded
    }

    if (const platform::SidPlayProcesses players = platform::FindSidPlayProcess(settings.SidplayWPath)) {
        platform::CloseSidPlay(players);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (hooks.stopScroller)
        hooks.stopScroller();
    outcome.started =
        game.LaunchGame(imagePath, static_cast<int>(current.number(catalogue::field::FilenameIndex)),
                        current.flag(catalogue::field::UseDefault), current.flag(catalogue::field::DirectX), true, kind,
                        settings, &current, hooks.settled)
            .started;
    return outcome;
}

} // namespace launch
