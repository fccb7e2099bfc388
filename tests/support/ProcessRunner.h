#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testsupport {

struct RunResult
{
    bool started = false;
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end (up to timeoutMs) in workDir. With emptyPath the child gets PATH="",
// so a conversion tool that tried to call another program would fail.
RunResult runProgram(const QString& program, const QStringList& args, const QString& workDir, bool emptyPath = true,
                     int timeoutMs = 60000);

// Runs an oracle tool (gzip, jlha, cbmconvert, identify, ...) with the normal PATH; returns its result.
RunResult runOracle(const QString& program, const QStringList& args, const QString& workDir, int timeoutMs = 60000);

} // namespace testsupport
