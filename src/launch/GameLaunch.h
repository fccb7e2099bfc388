#pragma once

#include "launch/EmulatorConfig.h"
#include "launch/EmulatorKind.h"
#include "platform/RunAndWait.h"

#include <QString>

struct Settings;

namespace catalogue {
class CurrentGame;
}

namespace launch {

struct LaunchRequest
{
    QString imagePath;  // the image the emulator loads (a plain image or what a converter made)
    int entryIndex = 0; // the entry of the image to start, 0 for the first
    bool useDefault = false;
    bool directX = false;      // carried along with the game; changes nothing
    bool fromDatabase = false; // the start belongs to the current game: its ports, and the play is recorded
    EmulatorKind kind = EmulatorKind::Ccs64Dos19;
    QString bridgeFolder; // where the emulator bridges are: the conversion folder
};

struct LaunchOutcome
{
    bool started = false;
    bool recorded = false;
    platform::Command command; // what was (or would have been) started
    QString workingFolder;     // the emulator's folder, the child's working folder
    // Whether the configuration was rewritten; Failed also when there was none to rewrite.
    ConfigWriteResult config = ConfigWriteResult::Failed;
};

// The emulator program a kind starts, from the settings ("" for an unknown kind).
QString emulatorPathOf(const Settings& settings, EmulatorKind kind);

// Told when the emulator's program exists but cannot be run (not executable, not a program).
QString emulatorNotStartedMessage(const QString& program);

// Told when the emulator (or the bridge that starts it) ends with a failure right after its start: what it wrote on
// stderr (the end of it when it is long), else its exit code; exitCode -1 for a program that was killed.
QString emulatorFailedMessage(const QString& program, const QString& errorOutput, int exitCode);

// The port values a start writes into the configuration: the kind's defaults when useDefault is set or
// the start does not come from the catalogue, else the current game's own fields for that kind.
PortValues portValuesFor(const Settings& settings, catalogue::CurrentGame* game, bool useDefault, bool fromDatabase,
                         EmulatorKind kind);

// Starts a game: checks the emulator (and for CCS64 v1.9 the DOS extender beside it), rewrites the
// emulator's configuration with the port values and the image's folder, starts the emulator (on Linux a DOS or
// Windows one through its bridge) in its own folder with the image and the entry after a comma, without waiting
// for it, and, for a start from the catalogue, adds one to TimesPlayed and stores today in DateLastPlayed
// ("dd-mm-yyyy") for the current game. Problems are told in message boxes, also a start that fails at once;
// nothing is recorded unless the emulator was started.
LaunchOutcome GameLaunch(const LaunchRequest& request, const Settings& settings, catalogue::CurrentGame* game);

} // namespace launch
