#include "ToolTestHelpers.h"

#include "TestFolders.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace tooltest {

testsupport::RunResult runTool(const QString& name, const QStringList& args, const QString& workDir)
{
    return testsupport::runProgram(testsupport::toolPath(name), args, workDir);
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
    if (!r.started)
        return QStringLiteral("program did not start");
    return QStringLiteral("exit code %1, stderr: %2").arg(r.exitCode).arg(QString::fromLocal8Bit(r.err));
}

bool haveProgram(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QStringList entries(const QString& folder)
{
    QStringList list = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    list.sort();
    return list;
}

QByteArray noiseBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

QByteArray textBytes(int lines)
{
    QByteArray text;
    for (int i = 0; i < lines; ++i)
        text += "10 PRINT \"LINE " + QByteArray::number(i) + "\" : GOTO 10\n";
    return text;
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

bool isUsageFailure(const testsupport::RunResult& r, const QString& tool, QString* why)
{
    if (!r.started || r.crashed || r.exitCode == 0 || !r.err.startsWith("usage: " + tool.toLocal8Bit() + ' ')) {
        *why = describe(r);
        return false;
    }
    return true;
}

} // namespace tooltest
