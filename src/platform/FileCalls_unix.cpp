#include "platform/FileCalls.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::filecalls {

int createNew(const QString& path, int* fd)
{
    *fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return *fd < 0 ? errno : 0;
}

int copyPermissions(int fd, const QString& from)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(from).constData(), &st) != 0)
        return errno == ENOENT ? 0 : errno;
    return ::fchmod(fd, st.st_mode & 07777) == 0 ? 0 : errno;
}

int writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        data += n;
        size -= n;
    }
    return 0;
}

int syncFile(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

int closeFile(int fd)
{
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

int replace(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? 0 : errno;
}

int syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

void removeFile(const QString& path)
{
    ::unlink(QFile::encodeName(path).constData());
}

QString errorText(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

} // namespace platform::filecalls
