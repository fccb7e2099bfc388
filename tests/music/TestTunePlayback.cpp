// Playing a tune through a console player stand-in: the argument list, what a play refuses and tells, one player at
// a time, playing on in a session of its own with an input it holds open (no closed terminal or exit ends it); and
// the demo's settings seed, which makes sidplayfp the player.

#include "MusicFixtures.h"
#include "data/settings/Settings.h"
#include "music/TunePlayback.h"
#include "platform/ScriptedMessageBox.h"

#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using musictest::playerRuns;

static QByteArray linkOf(const QString& path) // "pipe:[1234]" for a pipe
{
    char buffer[256];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

class TestTunePlayback : public QObject
{
    Q_OBJECT

private slots:
    // The game's play tells why it cannot play; the category window's play says nothing, whatever stops it.
    void playOrRefuse_data()
    {
        QTest::addColumn<QString>("call");   // "game", "category", "stand-alone" (a category's own tune)
        QTest::addColumn<QString>("player"); // below the temp folder; "" unset
        QTest::addColumn<QString>("tune");
        QTest::addColumn<QString>("message"); // %1 the temp folder
        QTest::addColumn<bool>("plays");
        const QString p = "Sid Player/sidplayfp", t = "Hubbard\\it's \"$(x)\".sid";
        // clang-format off
        QTest::addRow("player missing") << "game" << "Sid Player/gone" << t << "FILE NOT FOUND: %1/Sid Player/gone" << false;
        QTest::addRow("tune missing") << "game" << p << "Hubbard\\Gone.sid" << "FILE NOT FOUND: %1/Music/Hubbard/Gone.sid" << false;
        QTest::addRow("plays, names as on the disk") << "game" << "SID PLAYER/SIDPLAYFP" << "hubbard\\it's \"$(x)\".SID" << "" << true;
        QTest::addRow("stand-alone tune") << "stand-alone" << p << "(None)" << "" << true; // a file may bear that name
        QTest::addRow("category, game without a tune") << "category" << p << "(None)" << "" << false;
        // clang-format on
    }
    void playOrRefuse()
    {
        QFETCH(QString, call);
        QFETCH(QString, player);
        QFETCH(QString, tune);
        QFETCH(QString, message);
        QFETCH(bool, plays);
        QTemporaryDir dir;
        const QString fake = musictest::writeFakePlayer(dir.filePath("Sid Player"));
        QVERIFY(testsupport::writeFile(dir.filePath("Music/Hubbard/it's \"$(x)\".sid"), "PSID"));
        QVERIFY(testsupport::writeFile(dir.filePath("Music/(None)"), "PSID"));
        Settings s;
        s.SidplayWPath = player.isEmpty() ? QString() : dir.filePath(player);
        s.MusicPath = dir.filePath("Music");
        platform::StartedPlayer started;
        platform::ScriptedMessageBox box;
        QCOMPARE(call == "game" ? music::PlayGameTune(s, tune, started)
                                : music::PlayCategoryTune(s, tune, call == "stand-alone", started),
                 plays);
        QCOMPARE(box.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(dir.path())});
        const QList<musictest::PlayerRun> runs = playerRuns(fake, plays);
        QCOMPARE(runs.size(), int(plays));
        if (call == "game" && plays)
            QCOMPARE(runs[0].folder + '|' + runs[0].arguments.join('|'),
                     dir.filePath("Sid Player") + '|' + dir.filePath("Music/Hubbard/it's \"$(x)\".sid"));
        musictest::stopAll(fake);
    }

    // A console player takes no second tune from a new copy: the one this program started goes first, even when it
    // ignores being asked to end, and so does a player left playing by an earlier run (found as a game start finds
    // it; it used to play on under the new tune).
    void onePlayerAtATimePlayingOnItsOwn()
    {
        QTemporaryDir dir;
        Settings s;
        s.SidplayWPath = musictest::writeFakePlayer(dir.path(), true);
        s.MusicPath = dir.path();
        QVERIFY(testsupport::writeFile(dir.filePath("a.sid"), "PSID") &&
                testsupport::writeFile(dir.filePath("b.sid"), "x"));
        QProcess earlier;
        earlier.start(s.SidplayWPath, {"earlier.sid"});
        QVERIFY(earlier.waitForStarted() && playerRuns(s.SidplayWPath, 1).size() == 1);
        platform::StartedPlayer started;
        QVERIFY(music::PlayGameTune(s, "a.sid", started));
        QVERIFY(earlier.waitForFinished(100));
        QCOMPARE(playerRuns(s.SidplayWPath, 2).size(), 2);
        QVERIFY(music::PlayGameTune(s, "b.sid", started));
        const QList<musictest::PlayerRun> runs = playerRuns(s.SidplayWPath, 3);
        QCOMPARE(musictest::tunesPlayed(s.SidplayWPath, 3), "earlier.sid a.sid b.sid");
        QVERIFY(!musictest::running(runs[1].pid));

        QTest::qWait(600); // a console player whose input ended would be gone by now
        QVERIFY(musictest::running(runs[2].pid) && runs[2].pid == started.pid);
        QVERIFY(getsid(pid_t(started.pid)) != getsid(0));
        const QByteArray input = linkOf(QStringLiteral("/proc/%1/fd/0").arg(started.pid));
        QVERIFY2(input.startsWith("pipe:"), input.constData());
        for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::System | QDir::NoDotAndDotDot))
            QVERIFY(linkOf("/proc/self/fd/" + fd) != input);
        musictest::stopAll(s.SidplayWPath);
    }

    // scripts/demo-settings.sh: sidplayfp on the PATH becomes the player of [Startup] when it names none; the music
    // path and another group's player key stay.
    void demoSettingsPresetThePlayer()
    {
        QTemporaryDir dir; // bin: a PATH of the tools the script uses and sidplayfp
        const QString sidplayfp = dir.filePath("bin/sidplayfp"), ini = dir.filePath("config/Vintrax/Vintrax.ini");
        QVERIFY(testsupport::writeFile(sidplayfp, "#!/bin/sh\n") &&
                testsupport::writeFile(ini, "[Other]\nSidplayWPath=/elsewhere\n[Startup]\nMusicPath=/m\n"));
        QFile::setPermissions(sidplayfp, QFile::ReadOwner | QFile::ExeOwner);
        for (const char* tool : {"awk", "mkdir", "dirname", "mv"})
            QVERIFY(QFile::link(QStandardPaths::findExecutable(tool), dir.filePath("bin/") + tool));
        QProcess script;
        script.setEnvironment({"PATH=" + dir.filePath("bin")});
        script.start("/bin/bash", {QStringLiteral(VINTRAX_SOURCE_DIR "/scripts/demo-settings.sh"), ini, "/prog"});
        QVERIFY(script.waitForFinished() && script.exitCode() == 0 && !QFile::exists(ini + ".tmp"));
        QSettings read(ini, QSettings::IniFormat);
        QCOMPARE(QStringList({read.value("Startup/SidplayWPath").toString(), read.value("Startup/MusicPath").toString(),
                              read.value("Other/SidplayWPath").toString()}),
                 QStringList({sidplayfp, "/m", "/elsewhere"}));
    }
};

QTEST_GUILESS_MAIN(TestTunePlayback)
#include "TestTunePlayback.moc"
