// Playing a tune: the player's command as an argument list, when a game's tune can be played, what each play
// refuses and tells, and the player processes themselves (a console player stand-in that logs every start):
// one at a time, and playing on without a terminal or any input.

#include "MusicFixtures.h"
#include "TestFolders.h"
#include "data/settings/Settings.h"
#include "music/TunePlayback.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <unistd.h>

using musictest::playerRuns;

namespace {

// What a /proc link names, as the system gives it ("pipe:[1234]").
QByteArray linkOf(const QString& path)
{
    char buffer[256];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

} // namespace
using testsupport::writeFile;

class TestTunePlayback : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commandLine_data();
    void commandLine();
    void tunePlayable_data();
    void tunePlayable();
    void gameTuneRefusals_data();
    void gameTuneRefusals();
    void categoryTune_data();
    void categoryTune();
    void newTuneClosesThePlayerStartedBefore();
    void playerPlaysOnWithoutTerminal();
    void playerThatCannotStartIsReported();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_settings;
    QString m_player;
    platform::StartedPlayer m_started;
};

void TestTunePlayback::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkpath("Sid Player");
    QDir(m_dir->path()).mkpath("Music/Hubbard");
    m_player = musictest::writeFakePlayer(m_dir->filePath("Sid Player"));
    writeFile(m_dir->filePath("Music/Hubbard/Commando.sid"), "PSID");
    writeFile(m_dir->filePath("Music/Delta.sid"), "PSID");
    m_settings = Settings();
    m_settings.SidplayWPath = m_player;
    m_settings.MusicPath = m_dir->filePath("Music");
    m_started = {};
}

void TestTunePlayback::cleanup()
{
    for (const musictest::PlayerRun& run : playerRuns(m_player))
        musictest::stop(run.pid);
}

void TestTunePlayback::commandLine_data()
{
    QTest::addColumn<QString>("player"); // below the temp folder
    QTest::addColumn<QString>("tune");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("argument");
    QTest::addRow("sub-folder tune") << "Sid Player/sidplayfp"
                                     << "Hubbard\\Commando.sid"
                                     << "Sid Player/sidplayfp"
                                     << "Music/Hubbard/Commando.sid";
    QTest::addRow("letter case of the disk") << "SID PLAYER/sidplayfp"
                                             << "HUBBARD\\commando.SID"
                                             << "Sid Player/sidplayfp"
                                             << "Music/Hubbard/Commando.sid";
    QTest::addRow("blanks and quotes stay one argument") << "Sid Player/sidplayfp"
                                                         << "it's \"$(x)\" a tune.sid"
                                                         << "Sid Player/sidplayfp"
                                                         << "Music/it's \"$(x)\" a tune.sid";
}

void TestTunePlayback::commandLine()
{
    QFETCH(QString, player);
    QFETCH(QString, tune);
    QFETCH(QString, program);
    QFETCH(QString, argument);
    const music::SidPlayCommand c = music::SidPlayCommandLine(m_dir->filePath(player), m_dir->filePath("Music"), tune);
    QCOMPARE(c.command.program, m_dir->filePath(program));
    QCOMPARE(c.command.arguments, QStringList{m_dir->filePath(argument)});
    QCOMPARE(c.workingFolder, m_dir->filePath("Sid Player"));
}

void TestTunePlayback::tunePlayable_data()
{
    QTest::addColumn<QString>("tune");
    QTest::addColumn<bool>("player");
    QTest::addColumn<bool>("music");
    QTest::addColumn<bool>("playable");
    QTest::addRow("tune, player and folder") << "a.sid" << true << true << true;
    QTest::addRow("no tune") << "(None)" << true << true << false;
    QTest::addRow("empty tune field") << "" << true << true << false;
    QTest::addRow("no player") << "a.sid" << false << true << false;
    QTest::addRow("no tune folder") << "a.sid" << true << false << false;
}

void TestTunePlayback::tunePlayable()
{
    QFETCH(QString, tune);
    QFETCH(bool, player);
    QFETCH(bool, music);
    QFETCH(bool, playable);
    Settings s;
    s.SidplayWPath = player ? QStringLiteral("/p") : QString();
    s.MusicPath = music ? QStringLiteral("/m") : QString();
    QCOMPARE(music::tunePlayable(tune, s), playable);
}

void TestTunePlayback::gameTuneRefusals_data()
{
    QTest::addColumn<QString>("player"); // "" unset; "-" the stand-in
    QTest::addColumn<QString>("tune");
    QTest::addColumn<QString>("message"); // %1 the temp folder
    QTest::addRow("no player set") << ""
                                   << "Delta.sid"
                                   << "FILE NOT SET!";
    QTest::addRow("player missing") << "Sid Player/gone"
                                    << "Delta.sid"
                                    << "FILE NOT FOUND: %1/Sid Player/gone";
    QTest::addRow("player folder missing") << "Gone/sidplayfp"
                                           << "Delta.sid"
                                           << "PATH NOT FOUND: %1/Gone/sidplayfp";
    QTest::addRow("tune missing") << "-"
                                  << "Hubbard\\Gone.sid"
                                  << "FILE NOT FOUND: %1/Music/Hubbard/Gone.sid";
    QTest::addRow("plays") << "-"
                           << "Hubbard\\commando.sid"
                           << "";
}

void TestTunePlayback::gameTuneRefusals()
{
    QFETCH(QString, player);
    QFETCH(QString, tune);
    QFETCH(QString, message);
    m_settings.SidplayWPath = player == "-" ? m_player : player.isEmpty() ? QString() : m_dir->filePath(player);
    platform::ScriptedMessageBox box;
    QCOMPARE(music::PlayGameTune(m_settings, tune, m_started), message.isEmpty());
    QCOMPARE(box.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(m_dir->path())});
    QCOMPARE(playerRuns(m_player, message.isEmpty()).size(), message.isEmpty() ? 1 : 0);
}

void TestTunePlayback::categoryTune_data()
{
    QTest::addColumn<bool>("playerSet");
    QTest::addColumn<QString>("tune");
    QTest::addColumn<bool>("standAlone");
    QTest::addColumn<bool>("plays");
    QTest::addRow("stand-alone tune") << true << "Hubbard\\Commando.sid" << true << true;
    QTest::addRow("game's tune") << true << "Delta.sid" << false << true;
    QTest::addRow("game without tune") << true << "(None)" << false << false;
    QTest::addRow("tune missing") << true << "Gone.sid" << true << false;
    QTest::addRow("no player") << false << "Delta.sid" << true << false;
}

// The category window's play says nothing, whatever stops it.
void TestTunePlayback::categoryTune()
{
    QFETCH(bool, playerSet);
    QFETCH(QString, tune);
    QFETCH(bool, standAlone);
    QFETCH(bool, plays);
    if (!playerSet)
        m_settings.SidplayWPath.clear();
    writeFile(m_dir->filePath("Music/(None)"), "a file named as the marker of no tune");
    platform::ScriptedMessageBox box;
    QCOMPARE(music::PlayCategoryTune(m_settings, tune, standAlone, m_started), plays);
    QCOMPARE(box.count(), 0);
    QCOMPARE(playerRuns(m_player, plays).size(), plays ? 1 : 0);
}

// A console player takes no second tune from a new copy: the one this program started goes first.
void TestTunePlayback::newTuneClosesThePlayerStartedBefore()
{
    QVERIFY(music::PlayGameTune(m_settings, "Delta.sid", m_started));
    QCOMPARE(playerRuns(m_player, 1).size(), 1); // playing
    QVERIFY(music::PlayGameTune(m_settings, "Hubbard\\Commando.sid", m_started));
    const QList<musictest::PlayerRun> runs = playerRuns(m_player, 2);
    QCOMPARE(runs.size(), 2);
    QVERIFY(!musictest::running(runs[0].pid));
    QVERIFY(musictest::running(runs[1].pid));
    QCOMPARE(runs[1].pid, m_started.pid);
    QCOMPARE(runs[1].folder, m_dir->filePath("Sid Player"));
    QCOMPARE(runs[1].arguments, QStringList{m_dir->filePath("Music/Hubbard/Commando.sid")});
    // A player the user started himself is not this program's to close.
    QProcess own;
    own.start(m_player, {"own.sid"});
    QVERIFY(own.waitForStarted());
    QCOMPARE(playerRuns(m_player, 3).size(), 3);
    QVERIFY(music::PlayGameTune(m_settings, "Delta.sid", m_started));
    QCOMPARE(playerRuns(m_player, 4).size(), 4);
    QCOMPARE(own.state(), QProcess::Running);
    own.kill();
    own.waitForFinished();
}

// Started without a terminal, the player keeps its input open: a console player that quits when its input
// ends plays on, in a session of its own.
void TestTunePlayback::playerPlaysOnWithoutTerminal()
{
    QVERIFY(music::PlayGameTune(m_settings, "Delta.sid", m_started));
    QCOMPARE(playerRuns(m_player, 1).size(), 1);
    QThread::msleep(800);
    QVERIFY(platform::isPlayerRunning(m_started));
    QVERIFY(getsid(pid_t(m_started.pid)) != getsid(0));
    // Its input is its own: this program holds no end of it, so its exit ends nothing there.
    const QByteArray input = linkOf(QStringLiteral("/proc/%1/fd/0").arg(m_started.pid));
    QVERIFY2(input.startsWith("pipe:"), input.constData());
    for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::System | QDir::NoDotAndDotDot))
        QVERIFY(linkOf("/proc/self/fd/" + fd) != input);
    platform::endPlayer(m_started);
    QVERIFY(!platform::isPlayerRunning(m_started));
}

void TestTunePlayback::playerThatCannotStartIsReported()
{
    QFile::setPermissions(m_player, QFile::ReadOwner | QFile::WriteOwner); // no longer a program
    platform::ScriptedMessageBox box;
    QVERIFY(!music::PlayGameTune(m_settings, "Delta.sid", m_started));
    QCOMPARE(box.count(), 1);
    QVERIFY(box.last().text.startsWith("The Sid player could not be started:\n" + m_player));
    QVERIFY(!m_started.isSet());
}

QTEST_GUILESS_MAIN(TestTunePlayback)
#include "TestTunePlayback.moc"
