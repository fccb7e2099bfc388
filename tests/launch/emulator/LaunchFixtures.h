#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// What a fake emulator wrote about the way it was started.
struct LaunchLog
{
    QString program; // $0 as the child saw it
    QString workingFolder;
    QStringList arguments;
    QMap<QString, QString> environment;
};

// A temp folder holding fake emulators. Each fake is a shell script that, when run, writes its program
// name, working folder, arguments and environment to a log beside itself and exits.
class FakeEmulators
{
public:
    FakeEmulators();
    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const;

    // Writes an executable fake at the relative path (folders created) and returns its full path.
    QString addFake(const QString& relative);
    // A plain file (an image, a configuration) at the relative path.
    QString addFile(const QString& relative, const QByteArray& bytes = "C64");

    // Waits up to timeoutMs for any fake to log its start; false when none did.
    bool waitForLaunch(int timeoutMs = 10000) const;
    // Whether a launch log exists (the emulator was started).
    bool launched() const;
    LaunchLog log() const;
    void clearLog() const;

private:
    QString logPath() const;
    QTemporaryDir m_dir;
};

} // namespace testsupport
