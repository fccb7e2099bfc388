#include "ProcessRunner.h"

#include <QProcess>

namespace testsupport {

RunResult runProgram(const QString& program, const QStringList& args, const QString& workDir, bool emptyPath,
                     int timeoutMs)
{
    QProcess p;
    p.setProgram(program);
    p.setArguments(args);
    p.setWorkingDirectory(workDir);
    if (emptyPath) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", "");
        p.setProcessEnvironment(env);
    }
    RunResult r;
    p.start();
    r.started = p.waitForStarted(timeoutMs);
    if (!r.started)
        return r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
    }
    r.crashed = p.exitStatus() != QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

RunResult runOracle(const QString& program, const QStringList& args, const QString& workDir, int timeoutMs)
{
    return runProgram(program, args, workDir, false, timeoutMs);
}

} // namespace testsupport
