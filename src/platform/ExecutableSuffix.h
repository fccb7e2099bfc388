#pragma once

#include <QString>

namespace platform {

// The ending every program file carries on this system: ".exe" on Windows, nothing on Linux.
// Each system has its own source file, picked by the build.
QString executableSuffix();

} // namespace platform
