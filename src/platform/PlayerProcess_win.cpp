#include "platform/PlayerProcess.h"

#include <QProcess>

namespace platform {

// Windows players run in windows of their own and read no console; the process is not followed.
std::optional<StartedPlayer> startPlayer(const QString& program, const QStringList& arguments,
                                         const QString& workingFolder, QString* error)
{
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, workingFolder, &pid)) {
        if (error)
            *error = QStringLiteral("the program could not be started");
        return std::nullopt;
    }
    return StartedPlayer{pid, 0};
}

bool isPlayerRunning(const StartedPlayer&)
{
    return false;
}

void endPlayer(const StartedPlayer&, int) {}

} // namespace platform
