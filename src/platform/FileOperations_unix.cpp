#include "platform/FileOperations.h"

#include "platform/FileCalls.h"
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
        if (const int error = filecalls::writeAll(fd, buffer, got)) {
            errno = error;
            return false;
        }
    }
    return ::fsync(fd) == 0;
}

// The folder holding path.
QString folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return QFile::decodeName(slash > 0 ? path.left(slash) : QByteArray(slash == 0 ? "/" : "."));
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
    removeLeftovers(folderOf(to), copies);
    QByteArray temp = to.left(to.lastIndexOf('/') + 1) + QFile::encodeName(copies.templateName());
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
    error = filecalls::syncFolder(folderOf(to));
    if (error || ::unlink(from.constData()) != 0) {
        error = error ? error : errno;
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
