#include "ToolRunner.h"

#include "TestFolders.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>

namespace testsupport {

RunResult runProgram(const QString& program, const QStringList& args, const QString& workDir, bool emptyPath,
                     int timeoutMs)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (emptyPath)
        env.insert("PATH", "");
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForStarted(timeoutMs))
        return {};
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
    }
    return {true, p.exitCode(), p.exitStatus() != QProcess::NormalExit, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

RunResult runOracle(const QString& program, const QStringList& args, const QString& workDir, int timeoutMs)
{
    return runProgram(program, args, workDir, false, timeoutMs);
}

} // namespace testsupport

namespace tooltest {

testsupport::RunResult runTool(const QString& name, const QStringList& args, const QString& workDir)
{
    return testsupport::runProgram(testsupport::toolPath(name), args, workDir, true);
}

testsupport::RunResult oracle(const QString& program, const QStringList& args, const QString& workDir)
{
    return testsupport::runOracle(program, args, workDir);
}

bool succeeded(const testsupport::RunResult& r)
{
    return r.started && !r.crashed && r.exitCode == 0;
}

QString describe(const testsupport::RunResult& r)
{
    return !r.started ? QStringLiteral("program did not start")
                      : QStringLiteral("exit code %1%2, stderr: %3")
                            .arg(r.exitCode)
                            .arg(r.crashed ? QStringLiteral(" (crashed)") : QString(), QString::fromLocal8Bit(r.err));
}

bool haveProgram(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray noiseBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    std::generate(bytes.begin(), bytes.end(), [&random] { return char(random.bounded(256)); });
    return bytes;
}

QByteArray textBytes(int lines)
{
    QByteArray text;
    for (int i = 0; i < lines; ++i)
        text += "10 PRINT \"LINE " + QByteArray::number(i) + "\" : GOTO 10\n";
    return text;
}

QByteArray program(quint16 loadAddress, int bodySize, quint32 seed)
{
    const char address[2] = {char(loadAddress & 0xFF), char(loadAddress >> 8)};
    return QByteArray(address, 2) + noiseBytes(bodySize, seed);
}

bool isCleanFailure(const testsupport::RunResult& r, const QString& tool, QString* why)
{
    const QString err = QString::fromLocal8Bit(r.err);
    if (!r.started || r.crashed)
        *why = QStringLiteral("did not run to its end");
    else if (r.exitCode == 0)
        *why = QStringLiteral("exit code 0");
    else if (!r.out.isEmpty())
        *why = QStringLiteral("wrote to stdout: ") + QString::fromLocal8Bit(r.out);
    else if (!err.startsWith(tool + QStringLiteral(": ")) || err.count(QLatin1Char('\n')) != 1 ||
             !err.endsWith(QLatin1Char('\n')))
        *why = QStringLiteral("stderr is not one reason line: ") + err;
    else
        return true;
    return false;
}

} // namespace tooltest
