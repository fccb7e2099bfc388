#pragma once

// A console SID player stand-in: folder/sidplayfp logs each start's process id, working folder and arguments (one
// line, tab-separated) to sidplayfp.log, then plays until it is ended or its input ends, as a console player that
// reads its keys there does. A stubborn one ignores being asked to end (SIGTERM).

#include "TestFolders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <signal.h>

namespace musictest {

inline QString writeFakePlayer(const QString& folder, bool stubborn = false)
{
    const QString path = QDir(folder).filePath(QStringLiteral("sidplayfp"));
    testsupport::writeFile(path,
                           QByteArray("#!/bin/bash\n") + (stubborn ? "trap '' TERM\n" : "") +
                               "{ printf '%s' \"$$\"; printf '\\t%s' \"$PWD\" \"$@\"; printf '\\n'; } >> \"$0.log\"\n"
                               "while read -r -t 0.2 _ || [ $? -gt 128 ]; do :; done\n"); // a timeout goes on
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

struct PlayerRun
{
    qint64 pid = 0;
    QString folder;
    QStringList arguments;
};

// The starts logged, once count of them are (waiting up to 5 s); fewer when fewer came.
inline QList<PlayerRun> playerRuns(const QString& player, int count = 0)
{
    QList<PlayerRun> runs;
    QElapsedTimer timer;
    timer.start();
    do {
        runs.clear();
        for (const QByteArray& line : testsupport::readFile(player + QStringLiteral(".log")).split('\n'))
            if (const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t')); fields.size() >= 2)
                runs.append({fields[0].toLongLong(), fields[1], fields.mid(2)});
    } while (runs.size() < count && timer.elapsed() < 5000 && (QThread::msleep(20), true));
    return runs;
}

// The tune file names of those starts, with a blank between.
inline QString tunesPlayed(const QString& player, int count)
{
    QStringList tunes;
    for (const PlayerRun& run : playerRuns(player, count))
        tunes << QFileInfo(run.arguments.value(0)).fileName();
    return tunes.join(QLatin1Char(' '));
}

inline bool running(qint64 pid) // neither gone nor a zombie
{
    const QByteArray stat = pid > 0 ? testsupport::readFile(QStringLiteral("/proc/%1/stat").arg(pid)) : QByteArray();
    return !stat.isEmpty() && !QByteArray("ZX").contains(stat.at(stat.lastIndexOf(')') + 2));
}

inline void stopAll(const QString& player)
{
    for (const PlayerRun& run : playerRuns(player))
        if (running(run.pid))
            ::kill(pid_t(run.pid), SIGKILL);
}

} // namespace musictest
