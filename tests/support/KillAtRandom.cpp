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
    why->clear();
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        *why = QStringLiteral("%1 did not start: %2").arg(program, p.errorString());
    while (why->isEmpty() && !p.canReadLine() && !p.waitForReadyRead(30000))
        *why = QStringLiteral("%1 never got ready (exit code %2)").arg(program).arg(p.exitCode());
    if (why->isEmpty() && p.readLine().trimmed() != "ready")
        *why = program + QStringLiteral(" said something other than \"ready\"");
    if (why->isEmpty()) {
        ::usleep(useconds_t(random.bounded(maxMicroseconds)));
        ::kill(pid_t(p.processId()), SIGKILL);
        if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::CrashExit)
            *why = program + QStringLiteral(" ended before the kill");
    }
    p.kill();
    p.waitForFinished();
    return why->isEmpty();
}

} // namespace testsupport
