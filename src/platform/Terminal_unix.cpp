#include "platform/Terminal.h"

#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

// The terminal a user asked for in TERMINAL comes first; then Debian's x-terminal-emulator, which points at the
// desktop's own; then the terminals of the common desktops. Each opens in its working folder.
QString terminalProgram(const QString&)
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

} // namespace platform
