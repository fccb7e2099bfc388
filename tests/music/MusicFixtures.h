#pragma once

// A console SID player stand-in, and what it tells about each start.

#include "TestFolders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <signal.h>

namespace musictest {

// folder/sidplayfp: each start logs its process id, working folder and arguments to sidplayfp.log, then plays
// until it is ended or its input ends (a console player reads its keys there). A stubborn one ignores SIGTERM.
inline QString writeFakePlayer(const QString& folder, bool stubborn = false)
{
    const QString path = QDir(folder).filePath(QStringLiteral("sidplayfp"));
    testsupport::writeFile(path,
                           QByteArray("#!/bin/bash\n") + (stubborn ? "trap '' TERM\n" : "") +
                               "{ printf '%s' \"$$\"; printf '\\t%s' \"$PWD\" \"$@\"; printf '\\n'; } >> \"$0.log\"\n"
                               "while :; do\n"
                               "  read -r -t 0.2 _; rc=$?\n"
                               "  if [ $rc -ne 0 ] && [ $rc -le 128 ]; then exit 0; fi\n" // the input ended
                               "done\n");
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
        for (const QByteArray& line : testsupport::readFile(player + QStringLiteral(".log")).split('\n')) {
            const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
            if (fields.size() >= 2)
                runs.append({fields[0].toLongLong(), fields[1], fields.mid(2)});
        }
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

inline bool running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const char state = text.at(text.lastIndexOf(')') + 2);
    return state != 'Z' && state != 'X';
}

inline void stopAll(const QString& player)
{
    for (const PlayerRun& run : playerRuns(player))
        if (running(run.pid))
            ::kill(pid_t(run.pid), SIGKILL);
}

} // namespace musictest
