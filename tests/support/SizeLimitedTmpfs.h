#pragma once

#include "SmallDisk.h"

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A real full file system for writers: a small tmpfs mounted inside a mount namespace of the test process's
// own, so nothing outside the test sees it. Needs root, as the test suite runs.
// Call enterPrivateMountNamespace (SmallDisk.h) first in main, before any thread starts.

class SizeLimitedTmpfs
{
public:
    // A tmpfs of sizeBytes (whole pages) that holds at most 256 files, mounted on a new empty folder.
    explicit SizeLimitedTmpfs(qint64 sizeBytes);
    ~SizeLimitedTmpfs();
    SizeLimitedTmpfs(const SizeLimitedTmpfs&) = delete;
    SizeLimitedTmpfs& operator=(const SizeLimitedTmpfs&) = delete;

    bool isMounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }

    // Takes up the free space but `bytes` (rounded down to whole pages) with the file ".filler".
    bool leaveFree(qint64 bytes);
    // Takes up every file the file system can still hold with empty files ".filler1", ".filler2", ...
    bool leaveNoFreeFiles();
    // The names in the file system that no filler took.
    QStringList entriesBesideFillers() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_error;
};

} // namespace testsupport

// A test's main for a class that mounts SizeLimitedTmpfs: enters the private mount namespace first.
#define VINTRAX_TEST_MAIN_WITH_PRIVATE_MOUNTS(TestObject)                                                              \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        QString mountError;                                                                                            \
        if (!testsupport::enterPrivateMountNamespace(&mountError))                                                     \
            qWarning("no private mount namespace: %s", qPrintable(mountError));                                        \
        QCoreApplication app(argc, argv);                                                                              \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
