// Child processes: running a tool and waiting for it while the window keeps painting (a fake tool that logs what
// it got), finding the running SID player by its configured path (in any letter case) and closing it, and one copy
// of the program at a time (the lock in the runtime folder, refused, kept for a live holder, taken over from a dead
// one; the other copies are this test program run again).
#include "FakeTool.h"
#include "TestFolders.h"
#include "platform/RunAndWait.h"
#include "platform/SidPlayProcess.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace platform;
using namespace testsupport;

namespace {
// A player that runs until it is told to end. It waits on its input, which stays open, rather than running
// commands: a shell forks a passing copy of itself for each command, which would be a second match.
// An empty first line makes a copy of the sleep binary instead of a script.
QString fakePlayer(const QString& path, const QByteArray& firstLine = "#!/bin/sh")
{
    if (firstLine.isEmpty()) {
        QDir().mkpath(QFileInfo(path).path());
        QFile::copy("/bin/sleep", path);
    } else {
        writeFile(path, firstLine + "\nwhile read line; do :; done\n");
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The test binary run with --hold doubles as another copy of the program: it takes the lock, prints "held" and keeps
// it until stdin closes or it is killed; refused, it ends with 10 + the SingleInstance::Result.
int runAsOtherCopy(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SingleInstance instance;
    const SingleInstance::Result result = instance.tryAcquire();
    if (result != SingleInstance::Acquired)
        return 10 + result;
    std::puts("held");
    std::fflush(stdout);
    char buffer[64];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
    }
    return 0;
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
} // namespace

class TestChildProcesses : public QObject
{
    Q_OBJECT

private slots:
    void init() { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit()); }
    void cleanup() { qputenv("XDG_RUNTIME_DIR", m_oldRuntime); }
    // Arguments reach the tool as they are, in the folder asked for, and our own folder is not changed; the window
    // keeps repainting while the tool runs (held-back input comes from the window system, which a test cannot feed).
    // A missing program returns at once; a limit stops one that runs on.
    void runsAToolWhileTimersRun()
    {
        QTemporaryDir dir;
        QVERIFY(writeFakeTool(dir.path(), "fake tool", "sleep 0.5; exit 7"));
        const QString work = dir.filePath("work folder");
        QDir().mkpath(work);
        const QString before = QDir::currentPath();
        const QStringList args = {"-d", "a b", "$(touch pwned)", "'quoted' \"twice\"", "", "semi;colon"};
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer t;
        t.start();
        QCOMPARE(RunAndWait({dir.filePath("fake tool"), args}, work), std::optional<int>(7));
        QVERIFY(t.elapsed() >= 450 && ticks > 5); // waited for the end, painting all the while
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(QString::fromUtf8(readFile(dir.filePath("fake tool.log"))), work + "\n" + args.join('\n') + "\n");
        QVERIFY(!QFile::exists(work + "/pwned"));
        QVERIFY(!RunAndWait({"/nonexistent/tool", {"x"}}, QDir::tempPath()));
        QVERIFY(writeFakeTool(dir.path(), "slow tool", "exec sleep 30"));
        t.restart();
        QVERIFY(!RunAndWait({dir.filePath("slow tool"), {}}, work, WindowMode::Hidden, 200));
        QVERIFY(t.elapsed() < 5000);
    }
    void findsAndClosesOnlyThePlayer_data()
    {
        // The player file below the test folder and its first line, how the process is started in the player's folder
        // ("%P" the player), the program it must be running before the search, the path asked for ("" the player
        // itself) and whether it is the player.
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("matches");
        const QByteArray sh("#!/bin/sh");
        const auto row = [](const char* tag, const char* file, const QByteArray& firstLine, const QStringList& command,
                            const char* running, const char* asked, bool matches) {
            QTest::newRow(tag) << QString(file) << firstLine << command << QString(running) << QString(asked)
                               << matches;
        };
        row("script asked in another case", "Sid Play/SIDPLAYW.EXE", sh, {"%P"}, "dash", "sid play/sidplayw.exe", true);
        row("binary by its executable", "Player Dir/sidplayw", "", {"%P", "60"}, "sidplayw", "PLAYER DIR/SIDPLAYW",
            true);
        row("script started by a relative name", "Tunes/play.sh", sh, {"/bin/sh", "./play.sh"}, "dash", "", true);
        row("script under env", "play.sh", "#!/usr/bin/env sh", {"%P"}, "dash", "", true);
        row("script with an option", "play.sh", "#!/bin/sh -e", {"%P"}, "dash", "", true);
        row("cat reading the script", "play.sh", sh, {"/bin/cat", "%P", "-"}, "cat", "", false);
    }
    void findsAndClosesOnlyThePlayer()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, firstLine);
        QFETCH(QStringList, command);
        QFETCH(QString, running);
        QFETCH(QString, asked);
        QFETCH(bool, matches);
        QTemporaryDir dir;
        const QString player = fakePlayer(dir.filePath(file), firstLine);
        const QString path = asked.isEmpty() ? player : dir.filePath(asked);
        QVERIFY(!FindSidPlayProcess(path));
        command.replaceInStrings("%P", player);
        QProcess p;
        p.setWorkingDirectory(QFileInfo(player).path());
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
        SidPlayProcesses found;
        QTRY_VERIFY(found = FindSidPlayProcess(path)); // until the kernel shows the script on the command line
        QVERIFY(isPlayerOrItsCopy(found.newest(), p.processId()));
        QVERIFY(!FindSidPlayProcess(dir.filePath("OTHER.EXE")) && !FindSidPlayProcess("") &&
                !FindSidPlayProcess(dir.path()));
        CloseSidPlay(found);
        QVERIFY(p.waitForFinished(10000) && p.exitStatus() == QProcess::CrashExit); // ended by a signal
        QTRY_VERIFY(!FindSidPlayProcess(path));
        // Once the player has ended, what the search found is no longer signalled (its process id may belong to
        // another program by then): closing it again does nothing.
        CloseSidPlay(found);
    }
    // The lock lives in the runtime folder and goes with its holder, who never touches it again: an hour-old lock of
    // a live holder still counts, and the lock of a holder killed without cleaning up is taken over. A missing
    // runtime folder is no other instance; without one the lock is in the temporary folder.
    void lockOfALiveProcessIsKeptOfADeadOneTakenOver()
    {
        QProcess holder;
        QVERIFY(startHolder(holder));
        QFile lockFile(SingleInstance::lockFilePathFor("vintrax"));
        QCOMPARE(lockFile.fileName(), m_runtime.path() + "/vintrax.lock");
        QVERIFY(lockFile.open(QIODevice::ReadOnly));
        QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        lockFile.close();
        SingleInstance next;
        QCOMPARE(next.tryAcquire(), SingleInstance::AlreadyRunning);
        holder.kill();
        QVERIFY(holder.waitForFinished(20000) && lockFile.exists());
        QCOMPARE(next.tryAcquire(), SingleInstance::Acquired);
        QProcess second; // a second process is refused
        QVERIFY(!startHolder(second));
        second.waitForFinished(20000); // it may have ended already
        QCOMPARE(second.exitCode(), 10 + int(SingleInstance::AlreadyRunning));
        next.release();
        QVERIFY(!lockFile.exists());
        qputenv("XDG_RUNTIME_DIR", QByteArray(m_runtime.path().toLocal8Bit() + "/missing"));
        QCOMPARE(SingleInstance().tryAcquire(), SingleInstance::Unavailable);
        qunsetenv("XDG_RUNTIME_DIR");
        const QString inTemp = SingleInstance::lockFilePathFor("vintrax");
        QVERIFY2(inTemp.startsWith(QDir::tempPath() + "/vintrax") && inTemp.endsWith(".lock"), qPrintable(inTemp));
    }

private:
    bool startHolder(QProcess& holder)
    {
        holder.start(QCoreApplication::applicationFilePath(), {"--hold"});
        while (holder.waitForStarted(20000) && (holder.canReadLine() || holder.waitForReadyRead(20000))) {
            if (holder.readLine().trimmed() == "held")
                return true;
        }
        return false;
    }
    QTemporaryDir m_runtime;
    QByteArray m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
};

int main(int argc, char** argv)
{
    if (argc >= 2 && qstrcmp(argv[1], "--hold") == 0)
        return runAsOtherCopy(argc, argv);
    QApplication app(argc, argv);
    TestChildProcesses test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "TestChildProcesses.moc"
