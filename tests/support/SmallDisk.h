#pragma once

// A disk that runs full (a small tmpfs) and a folder that refuses writes (a read-only bind mount), for testing
// writers against a failing device. Put the old file on disk.filePath(...), call disk.leaveFree(bytes) or
// leaveNoFreeFiles(), run the writer, compare. The first of them moves the calling thread (the test's main thread,
// which also starts the child processes) into a private mount namespace, so nothing is mounted for the rest of the
// machine; that needs root, as the suite runs. A real file system rather than a shim that fails write(): the kernel
// refuses the write whichever way a writer reaches it. tmpfs hands out whole pages: pick outputs several pages long.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

class SmallDisk
{
public:
    // A tmpfs of sizeBytes (whole pages) that holds at most 256 files, mounted on a new empty folder.
    explicit SmallDisk(qint64 sizeBytes = 8 * 1024 * 1024);
    ~SmallDisk();
    Q_DISABLE_COPY(SmallDisk)

    bool isValid() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }

    // Takes up space with a ballast file so that only bytes (rounded down to whole pages) stay free; 0 leaves the
    // disk full. Put the old files in place before calling it. False when the disk cannot be filled that far.
    bool leaveFree(qint64 bytes);
    // Takes up every file the file system can still hold with empty files ".filler1", ".filler2", ...
    bool leaveNoFreeFiles();
    // Removes the ballast and the fillers again.
    void freeAll();
    // The names on the disk that are neither ballast nor filler: what a writer left behind.
    QStringList entries() const;

private:
    qint64 freeBytes() const;
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_whyNot;
};

// Makes a folder read-only for this process and its children (a read-only bind mount onto itself in the private
// mount namespace) for as long as the object lives: even root then gets EROFS for anything created, removed or
// changed below it.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    Q_DISABLE_COPY(ReadOnlyFolder)

    bool isValid() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_whyNot;
};

} // namespace testsupport
