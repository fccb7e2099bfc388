#pragma once

// A disk that runs full, and a folder that refuses writes, for testing writers against a failing device.
//
// How to use it (settings, catalogue, tools, anything that writes a file):
//
//     testsupport::SmallDisk disk;                     // a fresh, empty file system of its own
//     if (!disk.isValid())
//         QSKIP(qPrintable(disk.whyNot()));
//     writeFile(disk.filePath("C64.CFG"), oldBytes);  // put the old file in place first
//     QVERIFY(disk.leaveFree(8192));                   // then let only 8 KiB fit
//     ... run the writer in this process, or a child process, on disk.filePath(...) ...
//     QCOMPARE(readFile(disk.filePath("C64.CFG")), oldBytes);
//
// The disk is a size-limited tmpfs mounted on a temporary folder. The first SmallDisk or ReadOnlyFolder moves
// the calling thread (the test's main thread, which runs the test functions and starts their child processes)
// into a private mount namespace, so nothing is mounted for the rest of the machine and the mounts vanish with
// the test process even if it is killed. That needs root (tests run as root, here and in CI); elsewhere
// isValid() is false and whyNot() says why, for a QSKIP.
//
// Why a real file system rather than an LD_PRELOAD shim that fails write() after N bytes: the kernel refuses the
// write whichever way a writer reaches it (Qt's file engine, stdio inside libarchive or giflib, writev,
// fallocate, a child process with its own libraries), and the writer sees the real ENOSPC at the real moment,
// including a temporary file that could be created but not filled. A shim only catches the calls it wraps. tmpfs
// hands out whole pages, so "fails after N bytes" means after N rounded down to a page (4 KiB): pick outputs
// several pages long and free space between none and most of them.

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
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

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
    qint64 freeBytes() const;
    // The names on the disk that are neither ballast nor filler: what a writer left behind.
    QStringList entries() const;

private:
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
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool isValid() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_whyNot;
};

// Moves the calling thread into a private mount namespace once per process; false with the reason when it
// cannot (not root, or no mount namespaces here).
bool enterPrivateMountNamespace(QString* whyNot);

} // namespace testsupport
