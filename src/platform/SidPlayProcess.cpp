#include "platform/SidPlayProcess.h"

#include "platform/ShortPathName.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace platform {

namespace {

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

QString canonicalOrEmpty(const QString& path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

// The program a script player runs under: the "#!" line of the player file ("#!/usr/bin/env NAME" names the
// program NAME found on the search path). Empty for a player that is no script.
QString scriptInterpreter(const QString& playerPath)
{
    QFile file(playerPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray firstLine = file.readLine(512);
    if (!firstLine.startsWith("#!"))
        return {};
    const QStringList words =
        QString::fromLocal8Bit(firstLine.mid(2)).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    if (QFileInfo(words.first()).fileName() != QLatin1String("env"))
        return canonicalOrEmpty(words.first());
    for (const QString& word : words.mid(1)) {
        if (!word.startsWith(QLatin1Char('-')) && !word.contains(QLatin1Char('=')))
            return canonicalOrEmpty(QStandardPaths::findExecutable(word));
    }
    return {};
}

// Wine shows itself (or its loader) as the executable of every Windows program it runs.
bool isWine(const QString& exe)
{
    static const QStringList names{QStringLiteral("wine"), QStringLiteral("wine64"), QStringLiteral("wine-preloader"),
                                   QStringLiteral("wine64-preloader")};
    return names.contains(QFileInfo(exe).fileName());
}

// A process is the player when its executable is the player file, or when its executable is an interpreter
// (the player's own "#!" program, or Wine) and one of the first words of its command line names the player.
// Any other program that merely has the player file open or on its command line (a pager, an editor, cat)
// is never a match.
bool processMatches(qint64 pid, const SidPlayProcesses::Player& player)
{
    const QString procDir = QStringLiteral("/proc/") + QString::number(pid);
    const QString exe = QFileInfo(procDir + QStringLiteral("/exe")).symLinkTarget();
    if (exe.isEmpty())
        return false; // ended, or not ours to read
    if (samePath(exe, player.path))
        return true;
    const bool interpreter = (!player.interpreter.isEmpty() && samePath(exe, player.interpreter)) || isWine(exe);
    if (!interpreter)
        return false;
    QFile cmdline(procDir + QStringLiteral("/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> words = cmdline.readAll().split('\0');
    const QString cwd = QFileInfo(procDir + QStringLiteral("/cwd")).symLinkTarget();
    // The interpreter's own name, an option from the "#!" line, then the script.
    for (int i = 0; i < 3 && i < words.size(); ++i) {
        const QString word = QFile::decodeName(words.at(i));
        if (word.isEmpty() || word.startsWith(QLatin1Char('-')))
            continue;
        const QString path = QDir::isAbsolutePath(word) || cwd.isEmpty() ? word : QDir(cwd).filePath(word);
        if (samePath(path, player.path))
            return true;
    }
    return false;
}

// The parent process id from /proc/PID/stat (the field after the state, which follows the name in
// parentheses); 0 when it cannot be read.
qint64 parentOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 1).simplified().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() : 0;
}

} // namespace

SidPlayProcesses FindSidPlayProcess(const QString& sidplayWPath)
{
    if (sidplayWPath.trimmed().isEmpty())
        return {};
    SidPlayProcesses::Player player;
    player.path = resolvedPlayerPath(sidplayWPath);
    player.interpreter = scriptInterpreter(player.path);
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
        if (processMatches(pid, player))
            found.push_back(pid);
    }
    if (found.empty())
        return {};
    // A script player's shell forks a copy of itself for each command it runs, which becomes that command a
    // moment later: such a copy is no player of its own, its parent is.
    std::vector<qint64> players;
    for (const qint64 pid : found) {
        if (std::find(found.begin(), found.end(), parentOf(pid)) == found.end())
            players.push_back(pid);
    }
    SidPlayProcesses result;
    result.m_pids = players;
    result.m_player = player;
    return result;
}

void CloseSidPlay(const SidPlayProcesses& players, int waitMs)
{
#ifdef Q_OS_UNIX
    const auto signalAll = [&players](int signal) {
        bool any = false;
        for (const qint64 pid : players.m_pids) {
            if (processMatches(pid, players.m_player)) {
                any = true;
                if (signal)
                    ::kill(pid_t(pid), signal);
            }
        }
        return any;
    };
    signalAll(SIGTERM);
    for (const int next : {SIGKILL, 0}) {
        QElapsedTimer timer;
        timer.start();
        while (waitMs > 0 && signalAll(0) && timer.elapsed() < waitMs)
            QThread::msleep(10);
        if (waitMs <= 0 || !signalAll(next))
            return;
    }
#else
    Q_UNUSED(players);
    Q_UNUSED(waitMs);
#endif
}

} // namespace platform
