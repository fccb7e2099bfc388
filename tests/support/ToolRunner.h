#pragma once

#include "ProcessRunner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Running the staged conversion tools and the independent programs that make and check their fixtures.
namespace tooltest {

// A staged conversion tool (Conversion/<name>) in workDir with an empty PATH; an independent program (gzip, jlha,
// cc1541, cbmconvert, ImageMagick, ...) with the normal PATH.
testsupport::RunResult runTool(const QString& name, const QStringList& args, const QString& workDir);
testsupport::RunResult oracle(const QString& program, const QStringList& args, const QString& workDir);
bool succeeded(const testsupport::RunResult& r);
QString describe(const testsupport::RunResult& r);

// True when the program is on PATH; tests that need it fail with a clear message otherwise.
bool haveProgram(const QString& program);

// Every entry of a folder, hidden ones included, sorted: shows leftovers such as temporary files.
QStringList entries(const QString& folder);

// Repeatable bytes: random-looking (incompressible), text-like (compresses well), a C64 program (load address then
// random-looking bytes).
QByteArray noiseBytes(int size, quint32 seed);
QByteArray textBytes(int lines);
QByteArray program(quint16 loadAddress, int bodySize, quint32 seed);

// A failed run: non-zero exit, nothing on stdout, exactly one line on stderr starting with "<tool>: ".
bool isCleanFailure(const testsupport::RunResult& r, const QString& tool, QString* why);

} // namespace tooltest

// Fails the test unless the program ran to a zero exit code.
#define VERIFY_RAN(result) QVERIFY2(tooltest::succeeded(result), qPrintable(tooltest::describe(result)))
