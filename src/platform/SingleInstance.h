#pragma once

#include <QLockFile>
#include <QString>

namespace platform {

// Keeps a second copy of the program from running for the same user: a lock file in the user's
// runtime folder ($XDG_RUNTIME_DIR, the temp folder when that is not set). A lock left behind by a
// copy that died is taken over; a live holder keeps it however long it runs.
class SingleInstance
{
public:
    enum Result
    {
        Acquired,       // this is the only copy
        AlreadyRunning, // another live copy holds the lock
        Unavailable,    // the lock file cannot be made (folder missing or not writable): nothing is known
    };

    explicit SingleInstance(const QString& programName = QStringLiteral("vintrax"));
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Tries once, without waiting.
    Result tryAcquire();
    bool isHeld() const { return m_lock.isLocked(); }
    void release();
    QString lockFilePath() const { return m_path; }

    static QString lockFilePathFor(const QString& programName);

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace platform
