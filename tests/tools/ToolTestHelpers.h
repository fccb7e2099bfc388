#pragma once

#include "ProcessRunner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tooltest {

// Runs a staged conversion tool (Conversion/<name>) in workDir with an empty PATH.
testsupport::RunResult runTool(const QString& name, const QStringList& args, const QString& workDir);

// Runs an independent program (gzip, jlha, ImageMagick) with the normal PATH.
testsupport::RunResult oracle(const QString& program, const QStringList& args, const QString& workDir);
bool succeeded(const testsupport::RunResult& r);
QString describe(const testsupport::RunResult& r);

// True when the program is on PATH; tests that need it fail with a clear message otherwise.
bool haveProgram(const QString& program);

// Every entry of a folder, hidden ones included, sorted: shows leftovers such as temporary files.
QStringList entries(const QString& folder);

// Repeatable bytes: random-looking (incompressible) or text-like (compresses well).
QByteArray noiseBytes(int size, quint32 seed);
QByteArray textBytes(int lines);

// A failed run: non-zero exit, nothing on stdout, exactly one line on stderr starting with "<tool>: ".
bool isCleanFailure(const testsupport::RunResult& r, const QString& tool, QString* why);

// Refused arguments: non-zero exit and a usage line ("usage: <tool> ...") on stderr.
bool isUsageFailure(const testsupport::RunResult& r, const QString& tool, QString* why);

} // namespace tooltest

// Fails the test unless the program ran to a zero exit code.
#define VERIFY_RAN(result) QVERIFY2(tooltest::succeeded(result), qPrintable(tooltest::describe(result)))
