#pragma once

#include "launch/EmulatorKind.h"
#include "launch/GameLaunch.h"

#include <QString>

#include <functional>

struct Settings;
class clsC64Game;

namespace catalogue {
class CurrentGame;
}

namespace launch {

// What the main window does around a start: the hourglass while an archive is converted, the comment scroller
// stopped before the emulator starts, and what follows once the start is known to have gone well or not (only
// called when the emulator was started).
struct PlayHooks
{
    std::function<void(bool busy)> hourglass;
    std::function<void()> stopScroller;
    SettledHandler settled;
};

struct PlayOutcome
{
    bool started = false; // the emulator was started: hooks.settled follows
};

// Told when the catalogue cannot store an archive's new name.
QString archiveNameNotStoredMessage(const QString& newName, const QString& reason);

// Message when the game file is in none of the game folders.
QString fileNotFoundInGamePathsMessage(const QString& storedFilename);

// Where a stored game file is: the first game folder (in order, empty entries skipped) that holds it, and the
// file's path as it is on disk (letter case resolved). Index -1 and an empty path when none holds it or the
// name is "(None)" or empty.
struct FoundGameFile
{
    int folderIndex = -1;
    QString path;
};
FoundGameFile findGameFile(const Settings& settings, const QString& stored);

// Starts the current game in the emulator of kind: finds its file in the five game folders
// (empty entries skipped, letter case on disk may differ), converts an archive into the working
// folder, closes a running SID player, and hands the image to LaunchGame, which records the play.
// Problems are told in message boxes. When an archive was renamed after the game file the user chose,
// the game's stored file name follows the archive and the conversion runs once more; if that still
// gives no image, or the catalogue cannot store the new name, nothing starts and nothing is recorded.
PlayOutcome PlayCurrentGame(EmulatorKind kind, const Settings& settings, catalogue::CurrentGame& current,
                            clsC64Game& game, const QString& workFolder, const PlayHooks& hooks = {});

} // namespace launch
