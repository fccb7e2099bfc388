#include "platform/SingleInstance.h"

#include <QDir>

namespace platform {

QString SingleInstance::lockFilePathFor(const QString& programName)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(programName + QStringLiteral(".lock"));
    // The temp folder is shared between users: the user's name keeps one user's copy from blocking another's.
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    const QString name = user.isEmpty() ? programName : programName + u'-' + user;
    return QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock"));
}

SingleInstance::SingleInstance(const QString& programName) : m_path(lockFilePathFor(programName)), m_lock(m_path)
{
    // The holder never refreshes the file, so its age says nothing; only a dead holder makes it stale.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    release();
}

SingleInstance::Result SingleInstance::tryAcquire()
{
    if (m_lock.isLocked())
        return Acquired;
    if (m_lock.tryLock(0))
        return Acquired;
    return m_lock.error() == QLockFile::LockFailedError ? AlreadyRunning : Unavailable;
}

void SingleInstance::release()
{
    m_lock.unlock();
}

} // namespace platform
