#pragma once

#include "platform/RunAndWait.h"

#include <QString>

#include <functional>

namespace platform {

// Starts a program that is to run on its own (an emulator, or the bridge that starts one) in workingFolder, without
// waiting for it. A program that ends with a failure within watchMs (a non-zero exit code, or killed by a signal) is
// told through onEarlyFailure with what it wrote on stderr; after that time it is left to run and nothing more is
// reported. False when the program cannot be started at all.
//
// A detached start cannot see how the program ends, so it is started as our child for the whole of its run: its
// stderr goes to a temporary file (no pipe that could fill up, or break when this program ends first), the file is
// read once the program fails early or the watch time is over, and the child's process object goes away when the
// child ends. The user interface is never blocked: the watch runs on the event loop. When this program ends first
// the child runs on, as a detached one would.
bool startWatched(const Command& command, const QString& workingFolder,
                  std::function<void(const QString& errorOutput, int exitCode)> onEarlyFailure, int watchMs = 2000);

} // namespace platform
