#pragma once

#include <QString>

namespace platform {

// Opens the desktop's terminal window in folder and does not wait for it. False, with the reason in *error,
// when no terminal program was found or it could not be started.
bool OpenTerminal(const QString& folder, QString* error = nullptr);

// The terminal program of this system for a folder; empty when there is none.
QString terminalProgram(const QString& folder);

} // namespace platform
