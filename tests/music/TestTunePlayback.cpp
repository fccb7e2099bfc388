// Playing a tune through a console player stand-in: the command as an argument list, what a play refuses and
// tells, one player at a time, and the player playing on in a session of its own with an input it holds open
// itself, so neither a closed terminal nor this program's exit ends it.

#include "MusicFixtures.h"
#include "TestFolders.h"
#include "data/settings/Settings.h"
#include "music/TunePlayback.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using musictest::playerRuns;

class TestTunePlayback : public QObject
{
    Q_OBJECT

private slots:
    void gameTune_data();
    void gameTune();
    void categoryTuneSaysNothing_data();
    void categoryTuneSaysNothing();
    void onePlayerAtATimePlayingOnItsOwn();
};

namespace {

QByteArray linkOf(const QString& path) // "pipe:[1234]" for a pipe
{
    char buffer[256];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

} // namespace

void TestTunePlayback::gameTune_data()
{
    QTest::addColumn<QString>("player"); // below the temp folder; "" unset
    QTest::addColumn<QString>("tune");
    QTest::addColumn<QString>("message"); // %1 the temp folder; "" plays
    QTest::addRow("no player set") << ""
                                   << "Delta.sid"
                                   << "FILE NOT SET!";
    QTest::addRow("player missing") << "Sid Player/gone"
                                    << "Delta.sid"
                                    << "FILE NOT FOUND: %1/Sid Player/gone";
    QTest::addRow("tune missing") << "Sid Player/sidplayfp"
                                  << "Hubbard\\Gone.sid"
                                  << "FILE NOT FOUND: %1/Music/Hubbard/Gone.sid";
    QTest::addRow("plays, names as on the disk") << "SID PLAYER/SIDPLAYFP"
                                                 << "hubbard\\it's \"$(x)\".SID"
                                                 << "";
}

void TestTunePlayback::gameTune()
{
    QFETCH(QString, player);
    QFETCH(QString, tune);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString fake = musictest::writeFakePlayer(dir.filePath("Sid Player"));
    QVERIFY(testsupport::writeFile(dir.filePath("Music/Hubbard/it's \"$(x)\".sid"), "PSID"));
    Settings s;
    s.SidplayWPath = player.isEmpty() ? QString() : dir.filePath(player);
    s.MusicPath = dir.filePath("Music");
    platform::StartedPlayer started;
    platform::ScriptedMessageBox box;
    QCOMPARE(music::PlayGameTune(s, tune, started), message.isEmpty());
    QCOMPARE(box.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(dir.path())});
    const QList<musictest::PlayerRun> runs = playerRuns(fake, message.isEmpty());
    QCOMPARE(runs.size(), message.isEmpty() ? 1 : 0);
    if (!runs.isEmpty()) {
        QCOMPARE(runs[0].folder, dir.filePath("Sid Player"));
        QCOMPARE(runs[0].arguments, QStringList{dir.filePath("Music/Hubbard/it's \"$(x)\".sid")});
    }
    musictest::stopAll(fake);
}

void TestTunePlayback::categoryTuneSaysNothing_data()
{
    QTest::addColumn<bool>("playerSet");
    QTest::addColumn<QString>("tune");
    QTest::addColumn<bool>("standAlone");
    QTest::addColumn<bool>("plays");
    QTest::addRow("stand-alone tune") << true << "(None)" << true << true; // a file may bear that name
    QTest::addRow("game without a tune") << true << "(None)" << false << false;
    QTest::addRow("tune missing") << true << "Gone.sid" << false << false;
    QTest::addRow("no player") << false << "a.sid" << false << false;
}

// The category window's play: whatever stops it, it says nothing.
void TestTunePlayback::categoryTuneSaysNothing()
{
    QFETCH(bool, playerSet);
    QFETCH(QString, tune);
    QFETCH(bool, standAlone);
    QFETCH(bool, plays);
    QTemporaryDir dir;
    Settings s;
    s.SidplayWPath = playerSet ? musictest::writeFakePlayer(dir.path()) : QString();
    s.MusicPath = dir.path();
    QVERIFY(testsupport::writeFile(dir.filePath("a.sid"), "x") && testsupport::writeFile(dir.filePath("(None)"), "x"));
    platform::StartedPlayer started;
    platform::ScriptedMessageBox box;
    QCOMPARE(music::PlayCategoryTune(s, tune, standAlone, started), plays);
    QCOMPARE(box.count(), 0);
    QCOMPARE(started.isSet(), plays);
    musictest::stopAll(s.SidplayWPath);
}

// A console player takes no second tune from a new copy: the one this program started goes first, even when it
// ignores being asked to end, and only that one (a player the user started is not ours to close).
void TestTunePlayback::onePlayerAtATimePlayingOnItsOwn()
{
    QTemporaryDir dir;
    Settings s;
    s.SidplayWPath = musictest::writeFakePlayer(dir.path(), "sidplayfp", true);
    s.MusicPath = dir.path();
    QVERIFY(testsupport::writeFile(dir.filePath("a.sid"), "PSID") &&
            testsupport::writeFile(dir.filePath("b.sid"), "x"));
    QProcess own;
    own.start(s.SidplayWPath, {"own.sid"});
    QVERIFY(own.waitForStarted() && playerRuns(s.SidplayWPath, 1).size() == 1);
    platform::StartedPlayer started;
    QVERIFY(music::PlayGameTune(s, "a.sid", started));
    QCOMPARE(playerRuns(s.SidplayWPath, 2).size(), 2);
    QVERIFY(music::PlayGameTune(s, "b.sid", started));
    const QList<musictest::PlayerRun> runs = playerRuns(s.SidplayWPath, 3);
    QCOMPARE(musictest::tunesPlayed(s.SidplayWPath, 3), QStringList({"own.sid", "a.sid", "b.sid"}));
    QVERIFY(!musictest::running(runs[1].pid));
    QCOMPARE(own.state(), QProcess::Running);

    QTest::qWait(600); // a console player whose input ended would be gone by now
    QVERIFY(musictest::running(runs[2].pid) && runs[2].pid == started.pid);
    QVERIFY(getsid(pid_t(started.pid)) != getsid(0));
    const QByteArray input = linkOf(QStringLiteral("/proc/%1/fd/0").arg(started.pid));
    QVERIFY2(input.startsWith("pipe:"), input.constData());
    for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::System | QDir::NoDotAndDotDot))
        QVERIFY(linkOf("/proc/self/fd/" + fd) != input);
    musictest::stopAll(s.SidplayWPath);
}

QTEST_GUILESS_MAIN(TestTunePlayback)
#include "TestTunePlayback.moc"
