#include "music/TunePlayback.h"

#include "data/CatalogueNames.h"
#include "data/settings/Settings.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"
#include "platform/SidPlayProcess.h"

namespace music {

namespace {

// How long a player asked to end may take before it is ended for good.
constexpr int kPlayerEndWaitMs = 1000;

// The existing form of a path (its letter case as on the disk); the path itself when nothing matches.
QString existingOr(const QString& path)
{
    const QString existing = platform::ShortPathName(path);
    return existing.isEmpty() ? path : existing;
}

} // namespace

QString tunePath(const Settings& settings, const QString& tune)
{
    return settings.MusicPath.isEmpty() ? QString() : existingOr(platform::storedNameToPath(settings.MusicPath, tune));
}

SidPlayCommand SidPlayCommandLine(const QString& sidplayWPath, const QString& folder, const QString& tune)
{
    const QString playerFolder = existingOr(platform::FolderOfPath(sidplayWPath));
    const QString playerFile = platform::FileNameOfPath(sidplayWPath);
    const QString tuneFile = existingOr(platform::storedNameToPath(existingOr(folder), tune));
    return {{existingOr(platform::joinPath(playerFolder, playerFile)), {tuneFile}}, playerFolder};
}

bool tunePlayable(const QString& musicFilename, const Settings& settings)
{
    return !musicFilename.isEmpty() && musicFilename != catalogue::kNone && !settings.SidplayWPath.isEmpty() &&
           !settings.MusicPath.isEmpty();
}

bool startTune(const SidPlayCommand& command, platform::StartedPlayer& player)
{
    platform::endPlayer(player, kPlayerEndWaitMs);
    player = {};
    // A player this program did not start in this run (one left playing by an earlier run, whose setting did not
    // close it at exit) is found as before a game start, and ended before the new tune starts.
    if (const platform::SidPlayProcesses others = platform::FindSidPlayProcess(command.command.program))
        platform::CloseSidPlay(others, kPlayerEndWaitMs);
    QString error;
    const std::optional<platform::StartedPlayer> started =
        platform::startPlayer(command.command.program, command.command.arguments, command.workingFolder, &error);
    if (!started) {
        platform::MessageBox::exclamation(
            QStringLiteral("The Sid player could not be started:\n%1\n%2").arg(command.command.program, error));
        return false;
    }
    player = *started;
    return true;
}

bool PlayGameTune(const Settings& settings, const QString& musicFilename, platform::StartedPlayer& player)
{
    if (!platform::CheckPathExists(settings.SidplayWPath, true))
        return false;
    if (!platform::CheckPathExists(tunePath(settings, musicFilename), true))
        return false;
    return startTune(SidPlayCommandLine(settings.SidplayWPath, settings.MusicPath, musicFilename), player);
}

bool PlayCategoryTune(const Settings& settings, const QString& tuneFilename, bool standAlone,
                      platform::StartedPlayer& player)
{
    if (!platform::CheckPathExists(settings.SidplayWPath, false))
        return false;
    if (tuneFilename.isEmpty() || !platform::CheckPathExists(tunePath(settings, tuneFilename), false))
        return false;
    if (!standAlone && tuneFilename == catalogue::kNone)
        return false;
    return startTune(SidPlayCommandLine(settings.SidplayWPath, settings.MusicPath, tuneFilename), player);
}

bool playChosenTune(const Settings& settings, const QString& folder, const QString& fileName,
                    platform::StartedPlayer& player)
{
    if (settings.SidplayWPath.isEmpty() || fileName.isEmpty())
        return false;
    return startTune(SidPlayCommandLine(settings.SidplayWPath, folder, fileName), player);
}

} // namespace music
