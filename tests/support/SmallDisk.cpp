#include "SmallDisk.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace testsupport {

namespace {

const char* kBallast = ".ballast";
const char* kFiller = ".filler";

QString errnoText(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(errno)));
}

bool isPadding(const QString& name)
{
    return name.startsWith(kBallast) || name.startsWith(kFiller);
}

// Moves the calling thread into a private mount namespace once per process; false with the reason when it
// cannot (not root, or no mount namespaces here).
bool enterPrivateMountNamespace(QString* whyNot)
{
    static const QString reason = []() -> QString {
        if (::geteuid() != 0)
            return QStringLiteral("needs root to mount a file system in a private mount namespace");
        if (::unshare(CLONE_NEWNS) != 0)
            return errnoText("unshare(CLONE_NEWNS)");
        // Without this a mount could still propagate to the rest of the machine.
        return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 ? QString()
                                                                                : errnoText("making / private");
    }();
    *whyNot = reason;
    return reason.isEmpty();
}

} // namespace

SmallDisk::SmallDisk(qint64 sizeBytes)
{
    if (!m_dir.isValid()) {
        m_whyNot = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(sizeBytes) + ",nr_inodes=256,mode=0755";
    m_mounted =
        enterPrivateMountNamespace(&m_whyNot) && ::mount("vintrax-small-disk", QFile::encodeName(path()).constData(),
                                                         "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) == 0;
    if (!m_mounted && m_whyNot.isEmpty())
        m_whyNot = errnoText("mounting a tmpfs");
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

qint64 SmallDisk::freeBytes() const
{
    struct statvfs s = {};
    return ::statvfs(QFile::encodeName(m_dir.path()).constData(), &s) == 0 ? qint64(s.f_bavail) * qint64(s.f_frsize)
                                                                           : -1;
}

bool SmallDisk::leaveFree(qint64 bytes)
{
    freeAll();
    const long page = ::sysconf(_SC_PAGESIZE);
    const qint64 want = bytes / page * page;
    const qint64 ballast = freeBytes() - want;
    if (!m_mounted || ballast <= 0)
        return m_mounted && ballast == 0;
    const int fd = ::open(QFile::encodeName(filePath(kBallast)).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const bool ok = fd >= 0 && ::posix_fallocate(fd, 0, ballast) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok && freeBytes() == want;
}

bool SmallDisk::leaveNoFreeFiles()
{
    int fd = 0;
    for (int i = 1; i <= 256 && fd >= 0; ++i) {
        fd = ::open(QFile::encodeName(filePath(kFiller + QString::number(i))).constData(), O_WRONLY | O_CREAT | O_EXCL,
                    0600);
        if (fd >= 0)
            ::close(fd);
    }
    if (fd < 0 && errno == ENOSPC)
        return true;
    m_whyNot = fd < 0 ? errnoText("creating a filler file")
                      : QStringLiteral("the file system took more files than it should hold");
    return false;
}

void SmallDisk::freeAll()
{
    for (const QString& name : QDir(path()).entryList(QDir::Files | QDir::Hidden))
        if (isPadding(name))
            QFile::remove(filePath(name));
}

QStringList SmallDisk::entries() const
{
    QStringList names = QDir(path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.removeIf(isPadding);
    return names;
}

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (!enterPrivateMountNamespace(&m_whyNot))
        return;
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0)
        m_whyNot = errnoText("bind-mounting the folder");
    else if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0)
        m_mounted = true;
    else {
        m_whyNot = errnoText("remounting the folder read-only");
        ::umount2(path.constData(), MNT_DETACH);
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

} // namespace testsupport
