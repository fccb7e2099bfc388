#pragma once

// A console SID player stand-in, and what it tells about each start.

#include <QList>
#include <QString>
#include <QStringList>

namespace musictest {

// Written to folder/name: each start logs its process id, working folder and arguments to folder/name.log,
// then plays until it is ended or its input ends (a console player reads its keys there). A stubborn one
// ignores being asked to end (SIGTERM).
QString writeFakePlayer(const QString& folder, const QString& name = QStringLiteral("sidplayfp"),
                        bool stubborn = false);

struct PlayerRun
{
    qint64 pid = 0;
    QString folder;
    QStringList arguments;
};
// The starts logged, once count of them are (waiting up to 5 s); fewer when fewer came.
QList<PlayerRun> playerRuns(const QString& player, int count = 0);
// The tune file names of those starts.
QStringList tunesPlayed(const QString& player, int count);

bool running(qint64 pid);
void stopAll(const QString& player);

} // namespace musictest
