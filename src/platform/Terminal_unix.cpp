#include "platform/Terminal.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

namespace {

// The terminal a user asked for in TERMINAL comes first; then Debian's x-terminal-emulator, which points at the
// desktop's own; then the terminals of the common desktops. Each opens in its working folder.
QString terminalProgram()
{
    const QString chosen = QProcessEnvironment::systemEnvironment().value(QStringLiteral("TERMINAL"));
    QStringList candidates;
    if (!chosen.isEmpty())
        candidates << chosen;
    candidates << QStringLiteral("x-terminal-emulator") << QStringLiteral("gnome-terminal") << QStringLiteral("konsole")
               << QStringLiteral("xfce4-terminal") << QStringLiteral("xterm");
    for (const QString& name : candidates) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace

bool OpenTerminal(const QString& folder, QString* error)
{
    const QString program = terminalProgram();
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
