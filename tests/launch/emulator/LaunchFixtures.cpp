#include "LaunchFixtures.h"

#include "TestFolders.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace testsupport {

FakeEmulators::FakeEmulators() : m_dir(QDir::tempPath() + "/Fake Emulators XXXXXX") {}

QString FakeEmulators::path(const QString& relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

QString FakeEmulators::logPath() const
{
    return path("launch.log");
}

QString FakeEmulators::addFake(const QString& relative)
{
    const QString target = path(relative);
    // Written to a temporary name and renamed, so the test never reads half a log.
    const QString log = logPath();
    const QByteArray script = "#!/bin/sh\n"
                              "log='" +
                              log.toUtf8() +
                              "'\n"
                              "{\n"
                              "  printf 'program=%s\\n' \"$0\"\n"
                              "  printf 'cwd=%s\\n' \"$(pwd)\"\n"
                              "  for a in \"$@\"; do printf 'arg=%s\\n' \"$a\"; done\n"
                              "  env | sed 's/^/env=/'\n"
                              "} > \"$log.tmp\"\n"
                              "mv \"$log.tmp\" \"$log\"\n";
    writeFile(target, script);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return target;
}

QString FakeEmulators::addFile(const QString& relative, const QByteArray& bytes)
{
    const QString target = path(relative);
    writeFile(target, bytes);
    return target;
}

bool FakeEmulators::waitForLaunch(int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!launched()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

bool FakeEmulators::launched() const
{
    return QFile::exists(logPath());
}

LaunchLog FakeEmulators::log() const
{
    LaunchLog result;
    const QStringList lines = QString::fromUtf8(readFile(logPath())).split('\n');
    for (const QString& line : lines) {
        if (line.startsWith("program="))
            result.program = line.mid(8);
        else if (line.startsWith("cwd="))
            result.workingFolder = line.mid(4);
        else if (line.startsWith("arg="))
            result.arguments << line.mid(4);
        else if (line.startsWith("env=")) {
            const qsizetype eq = line.indexOf('=', 4);
            if (eq > 0)
                result.environment.insert(line.mid(4, eq - 4), line.mid(eq + 1));
        }
    }
    return result;
}

void FakeEmulators::clearLog() const
{
    QFile::remove(logPath());
}

} // namespace testsupport
