#include "platform/FileCalls.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace platform::filecalls {

namespace {

std::wstring native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

int createNew(const QString& path, int* fd)
{
    *fd =
        ::_wopen(native(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    return *fd < 0 ? errno : 0;
}

int copyPermissions(int, const QString&)
{
    return 0; // the read-only attribute is the only permission here, and a file being replaced does not have it
}

int writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const int n = ::_write(fd, data, unsigned(qMin<qint64>(size, 1 << 30)));
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
    return ::_commit(fd) == 0 ? 0 : errno;
}

int closeFile(int fd)
{
    return ::_close(fd) == 0 ? 0 : errno;
}

int replace(const QString& from, const QString& to)
{
    if (MoveFileExW(native(from).c_str(), native(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
}

int syncFolder(const QString&)
{
    return 0; // MOVEFILE_WRITE_THROUGH has done it
}

void removeFile(const QString& path)
{
    ::_wunlink(native(path).c_str());
}

QString errorText(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

} // namespace platform::filecalls
