#pragma once

#include "launch/EmulatorConfig.h"
#include "launch/EmulatorKind.h"
#include "platform/RunAndWait.h"

#include <QString>

#include <functional>

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
    bool started = false;      // the emulator (or its bridge) was started; how that went is told later
    platform::Command command; // what was (or would have been) started
    QString workingFolder;     // the emulator's folder, the child's working folder
    // Whether the configuration was rewritten; Failed also when there was none to rewrite.
    ConfigWriteResult config = ConfigWriteResult::Failed;
};

// How a start went, once that is known: the emulator ran (it did not end with a failure right after its start),
// and for a start from the catalogue whether the play was counted.
struct StartSettled
{
    bool ran = false;
    bool recorded = false;
};
using SettledHandler = std::function<void(const StartSettled&)>;

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

// Starts a game: checks the emulator (and for CCS64 v1.9 the DOS extender beside it; on Linux a DOS or Windows
// emulator's bridge is asked whether it can start it), rewrites the emulator's configuration with the port values
// and the image's folder, and starts the emulator (through its bridge) in its own folder with the image and the entry
// after a comma, without waiting for it. Once the start is known to have gone well (see startWatched), a start from
// the catalogue adds one to TimesPlayed and stores today in DateLastPlayed ("dd-mm-yyyy") for the game that was
// current at the start; then onSettled is told. Problems are told in message boxes, also a start that fails at
// once, which counts no play; one that fails before the emulator ran leaves its configuration as it was.
// onSettled is called (later, from the event loop) only when outcome.started.
LaunchOutcome GameLaunch(const LaunchRequest& request, const Settings& settings, catalogue::CurrentGame* game,
                         SettledHandler onSettled = {});

} // namespace launch
