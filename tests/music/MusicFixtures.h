#pragma once

// Stand-ins for a console SID player and what they tell about each start.

#include <QList>
#include <QString>
#include <QStringList>

namespace musictest {

// A console player stand-in written to folder/name: each start logs its process id, working folder and
// arguments to folder/name.log, then plays until it is ended or its input ends (as a console player that
// reads its keys there does).
QString writeFakePlayer(const QString& folder, const QString& name = QStringLiteral("sidplayfp"));

struct PlayerRun
{
    qint64 pid = 0;
    QString folder;
    QStringList arguments;
};
// The starts logged so far, once count of them are there (waiting up to 5 s); fewer when fewer came.
QList<PlayerRun> playerRuns(const QString& player, int count = 0);

// Whether the process runs (it exists and has not ended).
bool running(qint64 pid);
// Ends a stand-in a test left playing.
void stop(qint64 pid);

} // namespace musictest
