#pragma once

#include "platform/RunAndWait.h"

#include <QString>

#include <functional>

namespace platform {

// How a watched start turned out, told once it is known.
struct WatchedOutcome
{
    bool failed = false;      // it ended with a failure (a non-zero exit code, or killed) during the watch
    bool beforeReady = false; // ... and before it said it had handed over to the program it starts
    QString errorOutput;      // what it wrote on stderr, for a failure
    int exitCode = 0;         // -1 for a program that was killed
};

struct WatchOptions
{
    // A program that starts another one (an emulator bridge) is handed the path of a file in this environment
    // variable and creates the file when the program it starts takes over; the watch counts from then. Empty: the
    // watch counts from the start.
    QString readyVariable;
    int watchMs = 2000;
    // How long a program may take to say it is ready (a first Wine start sets up its folder for a while); after that
    // the watch counts from then, as if it had said so.
    int readyLimitMs = 60000;
};

// Starts a program that is to run on its own (an emulator, or the bridge that starts one) in workingFolder, without
// waiting for it, and tells onSettled once how the start went: a failure (a non-zero exit code, or killed by a
// signal) with what the program wrote on stderr when it ends so within the watch, else a start that went well (once
// the watch is over, or when the program ends with exit code 0 before that). False, and onSettled is never called,
// when the program cannot be started at all.
//
// A detached start cannot see how the program ends, so it is started as our child for the whole of its run: its
// stderr goes to a temporary file (no pipe that could fill up, or break when this program ends first), the file is
// read once the program fails early or the watch time is over, and the child's process object goes away when the
// child ends. The user interface is never blocked: the watch runs on the event loop. When this program ends first
// the child runs on, as a detached one would.
bool startWatched(const Command& command, const QString& workingFolder,
                  std::function<void(const WatchedOutcome&)> onSettled, const WatchOptions& options = {});

} // namespace platform
