#include "TestFolders.h"
#include "platform/SidPlayProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;
using namespace testsupport;

class TestSidPlayProcess : public QObject
{
    Q_OBJECT

private slots:
    void findsAScriptPlayerInOtherCaseAndClosesIt();
    void findsABinaryPlayerByItsExecutable();
    void findsAScriptStartedByARelativeName();
    void noMatchKeepsTheRememberedPlayer();
    void onlyThePlayerOrItsInterpreterMatches_data();
    void onlyThePlayerOrItsInterpreterMatches();
};

namespace {
// A player that runs until it is told to end. It waits on its input, which stays open, rather than running
// commands: a shell forks a passing copy of itself for each command, which would be a second match.
QString fakePlayer(const QString& path)
{
    writeFile(path, "#!/bin/sh\nwhile read line; do :; done\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString fakePlayer(const QString& path, const QByteArray& firstLine)
{
    writeFile(path, firstLine + "\nwhile read line; do :; done\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The player itself or a copy of its shell it forked (a busy machine can show the copy first).
bool isPlayerOrItsCopy(qint64 found, qint64 player)
{
    if (found == player)
        return true;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(found));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 && fields[1].toLongLong() == player; // field 4: the parent
}

bool endsBySignal(QProcess& p)
{
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::CrashExit;
}
} // namespace

void TestSidPlayProcess::findsAScriptPlayerInOtherCaseAndClosesIt()
{
    QTemporaryDir dir;
    const QString player = fakePlayer(dir.filePath("Sid Play/SIDPLAYW.EXE"));
    QVERIFY(!FindSidPlayProcess(player));

    QProcess p;
    p.start(player);
    QVERIFY(p.waitForStarted());
    const QString otherCase = dir.filePath("sid play/sidplayw.exe");
    QTRY_VERIFY(FindSidPlayProcess(otherCase)); // until the kernel shows the script on the command line
    QVERIFY(isPlayerOrItsCopy(rememberedSidPlayProcess(), p.processId()));
    // The setting may also name the player in upper case throughout its own folder part.
    QVERIFY(FindSidPlayProcess(dir.filePath("SID PLAY/SidPlayW.exe")));

    CloseSidPlay();
    QVERIFY(endsBySignal(p));
    QTRY_VERIFY(!FindSidPlayProcess(player));
}

void TestSidPlayProcess::findsABinaryPlayerByItsExecutable()
{
    QTemporaryDir dir;
    const QString player = dir.filePath("Player Dir/sidplayw");
    QDir().mkpath(dir.filePath("Player Dir"));
    QVERIFY(QFile::copy("/bin/sleep", player));
    QFile::setPermissions(player, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess p;
    p.start(player, {"60"});
    QVERIFY(p.waitForStarted());
    QTRY_VERIFY(FindSidPlayProcess(dir.filePath("PLAYER DIR/SIDPLAYW")));
    QVERIFY(isPlayerOrItsCopy(rememberedSidPlayProcess(), p.processId()));
    CloseSidPlay();
    QVERIFY(endsBySignal(p));
}

void TestSidPlayProcess::findsAScriptStartedByARelativeName()
{
    QTemporaryDir dir;
    const QString player = fakePlayer(dir.filePath("Tunes Player/play.sh"));
    QProcess p;
    p.setWorkingDirectory(dir.filePath("Tunes Player"));
    p.start("/bin/sh", {"./play.sh"});
    QVERIFY(p.waitForStarted());
    QTRY_VERIFY(FindSidPlayProcess(player));
    QVERIFY(isPlayerOrItsCopy(rememberedSidPlayProcess(), p.processId()));
    CloseSidPlay();
    QVERIFY(endsBySignal(p));
}

void TestSidPlayProcess::noMatchKeepsTheRememberedPlayer()
{
    QTemporaryDir dir;
    const QString player = fakePlayer(dir.filePath("SIDPLAYW.EXE"));
    QProcess p;
    p.start(player);
    QVERIFY(p.waitForStarted());
    QTRY_VERIFY(FindSidPlayProcess(player));
    const qint64 remembered = rememberedSidPlayProcess();

    // Neither another player nor an empty setting changes what is remembered.
    QVERIFY(!FindSidPlayProcess(dir.filePath("OTHER.EXE")));
    QVERIFY(!FindSidPlayProcess(""));
    QVERIFY(!FindSidPlayProcess(dir.path())); // the folder is no player
    QCOMPARE(rememberedSidPlayProcess(), remembered);

    // Once the player has ended, its process id is no longer signalled.
    p.kill();
    QVERIFY(p.waitForFinished());
    CloseSidPlay(); // nothing to close: must not fail or hit another program
    QVERIFY(!FindSidPlayProcess(player));
    QCOMPARE(rememberedSidPlayProcess(), remembered);
}

void TestSidPlayProcess::onlyThePlayerOrItsInterpreterMatches_data()
{
    // How the process is started ("%P" is the player file), the program it must be running before the
    // search, and whether it is the player.
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("running");
    QTest::addColumn<bool>("matches");
    QTest::newRow("cat reading the script")
        << QByteArray("#!/bin/sh") << QStringList{"/bin/cat", "%P", "-"} << "cat" << false;
    QTest::newRow("sleep calling itself the script")
        << QByteArray("#!/bin/sh") << QStringList{"/bin/bash", "-c", "exec -a \"$0\" sleep 60", "%P"} << "sleep"
        << false;
    QTest::newRow("script under env") << QByteArray("#!/usr/bin/env sh") << QStringList{"%P"} << "dash" << true;
    QTest::newRow("script with an option") << QByteArray("#!/bin/sh -e") << QStringList{"%P"} << "dash" << true;
}

void TestSidPlayProcess::onlyThePlayerOrItsInterpreterMatches()
{
    QFETCH(QByteArray, firstLine);
    QFETCH(QStringList, command);
    QFETCH(QString, running);
    QFETCH(bool, matches);
    QTemporaryDir dir;
    const QString player = fakePlayer(dir.filePath("play.sh"), firstLine);
    command.replaceInStrings("%P", player);
    QProcess p;
    p.start(command.first(), command.mid(1));
    QVERIFY(p.waitForStarted());
    const QString exe = QStringLiteral("/proc/%1/exe").arg(p.processId());
    QTRY_COMPARE(QFileInfo(QFileInfo(exe).symLinkTarget()).fileName(), running);
    if (!matches) {
        QVERIFY(!FindSidPlayProcess(player));
        p.kill();
        p.waitForFinished();
        return;
    }
    QTRY_VERIFY(FindSidPlayProcess(player));
    QVERIFY(isPlayerOrItsCopy(rememberedSidPlayProcess(), p.processId()));
    CloseSidPlay();
    QVERIFY(endsBySignal(p));
}

QTEST_GUILESS_MAIN(TestSidPlayProcess)
#include "TestSidPlayProcess.moc"
