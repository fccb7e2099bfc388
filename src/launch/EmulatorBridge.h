#pragma once

#include "launch/EmulatorKind.h"
#include "platform/RunAndWait.h"

#include <QString>

namespace launch {

// Whether the file starts with "MZ", the header of every DOS and Windows program.
bool isDosOrWindowsProgram(const QString& path);

// The command that really starts an emulator. The settings name the real emulator programs, which Linux cannot run:
// here a command whose program file is a DOS or Windows program goes through a bridge of bridgeFolder (the conversion
// folder), "vintrax-dosbox" for the DOS emulators (v1.9 and v2.0 for DOS) and "vintrax-wine" for the
// Win32 one, with the program and its arguments after it. Any other program (a native emulator, a script) runs as it
// is. The Windows build runs every program as it is, its DOS emulators through the command interpreter.
platform::Command bridgedCommand(EmulatorKind kind, const platform::Command& command, const QString& bridgeFolder);

// The bridge's own question before a start: with "--check" first, a bridge finds out whether it can start the
// emulator (its tools are installed, DOS can run the names, Wine has the part the program needs) and changes nothing;
// exit code 0 when it can, else 1 with the reason on stderr.
platform::Command bridgeCheckCommand(const platform::Command& bridged);

// The environment variable naming the file a bridge creates once the emulator takes over, after the bridge's own
// slow part (Wine setting up its folder, DOSBox starting): the watch of an emulator's start counts from then.
inline constexpr const char* kBridgeReadyVariable = "VINTRAX_BRIDGE_READY";

} // namespace launch
