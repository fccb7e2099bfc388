#include "MusicFixtures.h"

#include "TestFolders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <signal.h>

namespace musictest {

QString writeFakePlayer(const QString& folder, const QString& name)
{
    const QString path = QDir(folder).filePath(name);
    const QByteArray script = "#!/bin/bash\n"
                              "{ printf '%s' \"$$\"; printf '\\t%s' \"$PWD\" \"$@\"; printf '\\n'; } >> \"$0.log\"\n"
                              "while :; do\n"
                              "  read -r -t 0.2 _; rc=$?\n"
                              "  if [ $rc -ne 0 ] && [ $rc -le 128 ]; then exit 0; fi\n" // the input ended
                              "done\n";
    testsupport::writeFile(path, script);
    QFile::setPermissions(path,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    return path;
}

QList<PlayerRun> playerRuns(const QString& player, int count)
{
    QList<PlayerRun> runs;
    QElapsedTimer timer;
    timer.start();
    do {
        runs.clear();
        const QList<QByteArray> lines = testsupport::readFile(player + QStringLiteral(".log")).split('\n');
        for (const QByteArray& line : lines) {
            const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
            if (fields.size() >= 2)
                runs.append({fields[0].toLongLong(), fields[1], fields.mid(2)});
        }
        if (runs.size() >= count)
            break;
        QThread::msleep(20);
    } while (timer.elapsed() < 5000);
    return runs;
}

bool running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const QByteArray state = text.mid(text.lastIndexOf(')') + 2, 1);
    return state != "Z" && state != "X";
}

void stop(qint64 pid)
{
    if (running(pid))
        ::kill(pid_t(pid), SIGKILL);
}

} // namespace musictest
