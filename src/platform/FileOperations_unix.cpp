#include "platform/FileOperations.h"

#include "platform/Leftovers.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

FileOperationResult failure(int error)
{
    return {false, QString::fromLocal8Bit(std::strerror(error))};
}

// rename() without replacing an existing target; errno set on failure.
bool renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without RENAME_NOREPLACE: a hard link refuses an existing target just as well.
    if (::link(from.constData(), to.constData()) != 0)
        return false;
    if (::unlink(from.constData()) != 0) {
        const int error = errno;
        ::unlink(to.constData());
        errno = error;
        return false;
    }
    return true;
}

bool writeAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Copies source into the new file fd and syncs it; errno set on failure.
bool copyInto(int sourceFd, int fd)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(sourceFd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (!writeAll(fd, buffer, got))
            return false;
    }
    return ::fsync(fd) == 0;
}

// Syncs the folder holding path, so that a name renamed into it survives a crash; errno set on failure.
bool syncFolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? path.left(slash) : QByteArray(slash == 0 ? "/" : ".");
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

// The move onto another file system.
FileOperationResult copyThenDelete(const QByteArray& from, const QByteArray& to)
{
    const int sourceFd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (sourceFd < 0)
        return failure(errno);
    struct stat sourceStat
    {
    };
    const bool statted = ::fstat(sourceFd, &sourceStat) == 0;
    if (!statted || !S_ISREG(sourceStat.st_mode)) {
        const int error = statted ? EISDIR : errno;
        ::close(sourceFd);
        return failure(error);
    }
    // The copy is hidden under a name of its own until it is complete. A move killed midway leaves it behind: the
    // next move into the same folder removes it.
    static const TempNames copies{QStringLiteral(".vintrax-move-")};
    const qsizetype slash = to.lastIndexOf('/');
    removeLeftovers(QFile::decodeName(slash > 0 ? to.left(slash) : QByteArray(slash == 0 ? "/" : ".")), copies);
    QByteArray temp = to.left(slash + 1) + QFile::encodeName(copies.templateName());
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int error = errno;
        ::close(sourceFd);
        return failure(error);
    }
    bool copied = copyInto(sourceFd, fd);
    int error = errno;
    struct stat copyStat
    {
    };
    if (copied && (::fstat(fd, &copyStat) != 0 || copyStat.st_size != sourceStat.st_size)) {
        copied = false;
        error = errno ? errno : EIO;
    }
    ::fchmod(fd, sourceStat.st_mode & 07777);
    const struct timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
    ::futimens(fd, times);
    ::close(sourceFd);
    if (::close(fd) != 0 && copied) {
        copied = false;
        error = errno;
    }
    if (!copied) {
        ::unlink(temp.constData());
        return failure(error);
    }
    if (!renameNoReplace(temp, to)) {
        error = errno;
        ::unlink(temp.constData());
        return failure(error);
    }
    // The copy's name must be on the disk before the source goes: the two file systems keep no common order.
    if (!syncFolderOf(to) || ::unlink(from.constData()) != 0) {
        error = errno;
        ::unlink(to.constData());
        return failure(error);
    }
    return {true, {}};
}

} // namespace

FileOperationResult renameFile(const QString& source, const QString& target)
{
    if (!renameNoReplace(QFile::encodeName(source), QFile::encodeName(target)))
        return failure(errno);
    return {true, {}};
}

FileOperationResult moveFile(const QString& source, const QString& target)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    if (renameNoReplace(from, to))
        return {true, {}};
    if (errno != EXDEV)
        return failure(errno);
    return copyThenDelete(from, to);
}

FileOperationResult deleteFile(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        return failure(errno);
    return {true, {}};
}

} // namespace platform
