#include "platform/SidPlayProcess.h"

#include "platform/ShortPathName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace platform {

namespace {

// Every process that matched: a player run from a script forks copies of its shell for a moment, and
// the one that is still the player when it is asked to close must not be missed.
std::vector<qint64> s_pids;
QString s_target; // the resolved player path the remembered process matched

QString resolvedPlayerPath(const QString& sidplayWPath)
{
    const QString existing = ShortPathName(sidplayWPath);
    const QString canonical = existing.isEmpty() ? QString() : QFileInfo(existing).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(sidplayWPath) : canonical;
}

bool samePath(const QString& candidate, const QString& target)
{
    if (candidate.isEmpty())
        return false;
    const QString canonical = QFileInfo(candidate).canonicalFilePath();
    return (canonical.isEmpty() ? QDir::cleanPath(candidate) : canonical).compare(target, Qt::CaseInsensitive) == 0;
}

// The executable and the first two command-line words of a process, made absolute against its
// working folder. Processes that have ended or are not ours to read give nothing.
QStringList candidatePaths(const QString& procDir)
{
    QStringList paths;
    const QString exe = QFileInfo(procDir + QStringLiteral("/exe")).symLinkTarget();
    if (!exe.isEmpty())
        paths << exe;
    QFile cmdline(procDir + QStringLiteral("/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly))
        return paths;
    const QList<QByteArray> words = cmdline.readAll().split('\0');
    const QString cwd = QFileInfo(procDir + QStringLiteral("/cwd")).symLinkTarget();
    for (int i = 0; i < 2 && i < words.size(); ++i) {
        const QString word = QFile::decodeName(words.at(i));
        if (word.isEmpty())
            continue;
        if (QDir::isAbsolutePath(word))
            paths << word;
        else if (!cwd.isEmpty())
            paths << QDir(cwd).filePath(word);
    }
    return paths;
}

bool processMatches(qint64 pid, const QString& target)
{
    const QStringList paths = candidatePaths(QStringLiteral("/proc/") + QString::number(pid));
    for (const QString& path : paths) {
        if (samePath(path, target))
            return true;
    }
    return false;
}

} // namespace

bool FindSidPlayProcess(const QString& sidplayWPath)
{
    if (sidplayWPath.trimmed().isEmpty())
        return false;
    const QString target = resolvedPlayerPath(sidplayWPath);
    const qint64 self = QCoreApplication::applicationPid();
    std::vector<qint64> found;
    std::vector<qint64> pids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (isPid && pid != self)
            pids.push_back(pid);
    }
    std::sort(pids.begin(), pids.end());
    for (const qint64 pid : pids) {
        if (processMatches(pid, target))
            found.push_back(pid);
    }
    if (found.empty())
        return false;
    s_pids = found;
    s_target = target;
    return true;
}

void CloseSidPlay()
{
#ifdef Q_OS_UNIX
    for (const qint64 pid : s_pids) {
        if (processMatches(pid, s_target))
            ::kill(pid_t(pid), SIGTERM);
    }
#endif
}

qint64 rememberedSidPlayProcess()
{
    return s_pids.empty() ? 0 : s_pids.back();
}

} // namespace platform
