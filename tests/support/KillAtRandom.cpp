#include "KillAtRandom.h"

#include <QProcess>

#include <csignal>
#include <unistd.h>

namespace testsupport {

KillPlan killPlan()
{
    KillPlan plan;
    bool ok = false;
    const int kills = qEnvironmentVariableIntValue("VINTRAX_KILL_COUNT", &ok);
    if (ok && kills > 0)
        plan.kills = kills;
    const int seed = qEnvironmentVariableIntValue("VINTRAX_KILL_SEED", &ok);
    if (ok)
        plan.seed = quint32(seed);
    return plan;
}

bool runAndKill(const QString& program, const QStringList& args, QRandomGenerator& random, int maxMicroseconds,
                QString* why)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
        *why = QStringLiteral("%1 did not start: %2").arg(program, p.errorString());
        return false;
    }
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(30000)) {
            *why = QStringLiteral("%1 never got ready (exit code %2)").arg(program).arg(p.exitCode());
            p.kill();
            p.waitForFinished();
            return false;
        }
    }
    if (p.readLine().trimmed() != "ready") {
        *why = program + QStringLiteral(" said something other than \"ready\"");
        p.kill();
        p.waitForFinished();
        return false;
    }
    ::usleep(useconds_t(random.bounded(maxMicroseconds)));
    ::kill(pid_t(p.processId()), SIGKILL);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::CrashExit) {
        *why = program + QStringLiteral(" ended before the kill");
        return false;
    }
    return true;
}

} // namespace testsupport
