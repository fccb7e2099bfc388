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
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return errnoText("making / private");
        return {};
    }();
    if (whyNot && !reason.isEmpty())
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
    if (!enterPrivateMountNamespace(&m_whyNot))
        return;
    const QByteArray options = "size=" + QByteArray::number(sizeBytes) + ",nr_inodes=256,mode=0755";
    if (::mount("vintrax-small-disk", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        m_whyNot = errnoText("mounting a tmpfs");
        return;
    }
    m_mounted = true;
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
    if (!m_mounted || ballast < 0)
        return false;
    if (ballast == 0)
        return true;
    const int fd = ::open(QFile::encodeName(filePath(kBallast)).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const bool ok = ::posix_fallocate(fd, 0, ballast) == 0;
    ::close(fd);
    return ok && freeBytes() == want;
}

bool SmallDisk::leaveNoFreeFiles()
{
    for (int i = 1; i <= 256; ++i) {
        const QByteArray name = QFile::encodeName(filePath(kFiller + QString::number(i)));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == ENOSPC)
                return true;
            m_whyNot = errnoText("creating a filler file");
            return false;
        }
        ::close(fd);
    }
    m_whyNot = QStringLiteral("the file system took more files than it should hold");
    return false;
}

void SmallDisk::freeAll()
{
    for (const QString& name : QDir(path()).entryList(QDir::Files | QDir::Hidden)) {
        if (name.startsWith(kBallast) || name.startsWith(kFiller))
            QFile::remove(filePath(name));
    }
}

QStringList SmallDisk::entries() const
{
    QStringList names;
    for (const QString& name : QDir(path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (!name.startsWith(kBallast) && !name.startsWith(kFiller))
            names << name;
    }
    return names;
}

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder)
{
    if (!enterPrivateMountNamespace(&m_whyNot))
        return;
    const QByteArray path = QFile::encodeName(folder);
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0) {
        m_whyNot = errnoText("bind-mounting the folder");
        return;
    }
    if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        m_whyNot = errnoText("remounting the folder read-only");
        ::umount2(path.constData(), MNT_DETACH);
        return;
    }
    m_mounted = true;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

} // namespace testsupport
