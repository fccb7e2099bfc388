#include "SizeLimitedTmpfs.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

namespace {
QString lastSystemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

SizeLimitedTmpfs::SizeLimitedTmpfs(qint64 sizeBytes)
{
    if (!m_dir.isValid()) {
        m_error = m_dir.errorString();
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(sizeBytes) + ",nr_inodes=256,mode=0755";
    if (::mount("vintrax-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        m_error = lastSystemError("mount -t tmpfs") + QStringLiteral(" (tests must run as root)");
        return;
    }
    m_mounted = true;
}

SizeLimitedTmpfs::~SizeLimitedTmpfs()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SizeLimitedTmpfs::leaveFree(qint64 bytes)
{
    const QByteArray name = QFile::encodeName(file(QStringLiteral(".filler")));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        m_error = lastSystemError("creating the filler");
        return false;
    }
    const QByteArray chunk(4096, 'F');
    qint64 written = 0;
    for (;;) {
        const ssize_t n = ::write(fd, chunk.constData(), size_t(chunk.size()));
        if (n <= 0)
            break;
        written += n;
    }
    const bool full = errno == ENOSPC;
    const qint64 keep = written - bytes / 4096 * 4096;
    const bool ok = full && keep >= 0 && ::ftruncate(fd, keep) == 0;
    if (!ok)
        m_error = full ? QStringLiteral("less than %1 bytes were free").arg(bytes) : lastSystemError("filling");
    ::close(fd);
    return ok;
}

bool SizeLimitedTmpfs::leaveNoFreeFiles()
{
    for (int i = 1; i <= 256; ++i) {
        const QByteArray name = QFile::encodeName(file(QStringLiteral(".filler%1").arg(i)));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == ENOSPC)
                return true;
            m_error = lastSystemError("creating a filler file");
            return false;
        }
        ::close(fd);
    }
    m_error = QStringLiteral("the file system took more files than it should hold");
    return false;
}

QStringList SizeLimitedTmpfs::entriesBesideFillers() const
{
    QStringList names;
    for (const QString& name : QDir(path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (!name.startsWith(QLatin1String(".filler")))
            names << name;
    }
    return names;
}

} // namespace testsupport
