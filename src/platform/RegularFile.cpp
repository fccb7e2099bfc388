#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace platform {

namespace {

bool failed(QString* error, const QString& path, const QString& reason)
{
    if (error)
        *error = QStringLiteral("cannot read %1: %2").arg(path, reason);
    return false;
}

} // namespace

bool openRegularFile(QFile& file, const QString& path, QString* error)
{
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failed(error, path, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(error, path, QStringLiteral("it is not a regular file"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(error, path, file.errorString());
    }
    return true;
#else
    if (!QFileInfo(path).isFile())
        return failed(error, path, QStringLiteral("it is not a regular file"));
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) || failed(error, path, file.errorString());
#endif
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error)
{
    QFile file;
    if (!openRegularFile(file, path, error))
        return std::nullopt;
    if (file.size() > maxBytes) {
        failed(error, path, QStringLiteral("it is larger than %1 bytes").arg(maxBytes));
        return std::nullopt;
    }
    // Read up to the end rather than by the size, which can change under the reader (or is 0 for a file the
    // system makes up as it is read).
    QByteArray bytes;
    bytes.reserve(qsizetype(qMin(file.size(), maxBytes)));
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n < 0) {
            failed(error, path, file.errorString());
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, qsizetype(n));
        if (bytes.size() > maxBytes) {
            failed(error, path, QStringLiteral("it is larger than %1 bytes").arg(maxBytes));
            return std::nullopt;
        }
    }
    return bytes;
}

} // namespace platform
