#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// A player process this program started: its id and the moment it started (clock ticks after boot), so that
// a later process that happens to get the same id is never taken for it.
struct StartedPlayer
{
    qint64 pid = 0;
    quint64 startTicks = 0;

    bool isSet() const { return pid > 0; }
};

// Starts a player (program and argument list, no shell) in workingFolder and does not wait for it. It runs on
// its own: in a session of its own (a closed terminal or the end of this program does not end it), its output
// thrown away, and its input a pipe that never ends, since a console player reads its keys there and quits when
// its input ends. Nothing, with the reason in *error, when it could not be started.
std::optional<StartedPlayer> startPlayer(const QString& program, const QStringList& arguments,
                                         const QString& workingFolder, QString* error = nullptr);

// Whether that process still runs (and is still the one started).
bool isPlayerRunning(const StartedPlayer& player);

// Asks the player to end (SIGTERM) and waits up to waitMs for it to go, so that the next tune does not play
// over its end; a player still there then is killed (SIGKILL). Nothing is sent to a process that is gone or
// that is another one by now.
void endPlayer(const StartedPlayer& player, int waitMs = 1000);

} // namespace platform
