#include "platform/Terminal.h"

#include <QProcess>

namespace platform {

bool OpenTerminal(const QString& folder, QString* error)
{
    const QString program = terminalProgram(folder);
    if (program.isEmpty()) {
        if (error)
            *error = QStringLiteral("No terminal program was found (set TERMINAL to the one you use).");
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(folder);
    if (!process.startDetached()) {
        if (error)
            *error = QStringLiteral("The terminal could not be started: ") + program;
        return false;
    }
    return true;
}

} // namespace platform
