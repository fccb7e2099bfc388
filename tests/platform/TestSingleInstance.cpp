#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace platform;

namespace {

// The test binary doubles as the second copy of the program:
//   --try   tries the lock once and exits with the SingleInstance::Result;
//   --hold  takes the lock, prints "held" and keeps it until stdin closes or it is killed.
int runAsOtherCopy(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SingleInstance instance;
    const SingleInstance::Result result = instance.tryAcquire();
    if (qstrcmp(argv[1], "--try") == 0)
        return result;
    if (result != SingleInstance::Acquired)
        return 10 + result;
    std::puts("held");
    std::fflush(stdout);
    char buffer[64];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
    }
    return 0;
}

} // namespace

// One copy of the program at a time: the lock in the runtime folder, refused, kept for a live holder, taken over
// from a dead one. The other copies are real processes.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init() { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit()); }
    void cleanup() { qputenv("XDG_RUNTIME_DIR", m_oldRuntime); }
    void lockFileLivesInTheRuntimeFolder();
    void secondProcessIsRefused();
    void lockOfALiveProcessIsKeptOfADeadOneTakenOver();

private:
    int tryInOtherProcess();
    bool startHolder(QProcess& holder);
    QTemporaryDir m_runtime;
    QByteArray m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
};

int TestSingleInstance::tryInOtherProcess()
{
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {"--try"});
    if (!other.waitForFinished(20000) || other.exitStatus() != QProcess::NormalExit)
        return -1;
    return other.exitCode();
}

bool TestSingleInstance::startHolder(QProcess& holder)
{
    holder.start(QCoreApplication::applicationFilePath(), {"--hold"});
    while (holder.waitForStarted(20000) && (holder.canReadLine() || holder.waitForReadyRead(20000))) {
        if (holder.readLine().trimmed() == "held")
            return true;
    }
    return false;
}

void TestSingleInstance::lockFileLivesInTheRuntimeFolder()
{
    QCOMPARE(SingleInstance::lockFilePathFor("vintrax"), m_runtime.path() + "/vintrax.lock");
    // A missing runtime folder is no other instance.
    qputenv("XDG_RUNTIME_DIR", QByteArray(m_runtime.path().toLocal8Bit() + "/missing"));
    QCOMPARE(SingleInstance().tryAcquire(), SingleInstance::Unavailable);
    qunsetenv("XDG_RUNTIME_DIR");
    const QString inTemp = SingleInstance::lockFilePathFor("vintrax");
    QVERIFY2(inTemp.startsWith(QDir::tempPath() + "/vintrax") && inTemp.endsWith(".lock"), qPrintable(inTemp));
}

void TestSingleInstance::secondProcessIsRefused()
{
    SingleInstance first;
    QCOMPARE(first.tryAcquire(), SingleInstance::Acquired);
    QVERIFY(QFile::exists(first.lockFilePath()));
    QCOMPARE(tryInOtherProcess(), int(SingleInstance::AlreadyRunning));
    // Once the first copy has ended, the next start goes ahead.
    first.release();
    QVERIFY(!QFile::exists(first.lockFilePath()));
    QCOMPARE(tryInOtherProcess(), int(SingleInstance::Acquired));
}

// The holder never touches its lock file again: an hour-old lock of a live holder still counts, and the lock
// of a holder killed without cleaning up is taken over.
void TestSingleInstance::lockOfALiveProcessIsKeptOfADeadOneTakenOver()
{
    QProcess holder;
    QVERIFY(startHolder(holder));
    QFile lockFile(SingleInstance::lockFilePathFor("vintrax"));
    QVERIFY(lockFile.open(QIODevice::ReadOnly));
    QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    lockFile.close();
    SingleInstance next;
    QCOMPARE(next.tryAcquire(), SingleInstance::AlreadyRunning);
    QVERIFY(!next.isHeld());
    holder.kill();
    QVERIFY(holder.waitForFinished(20000));
    QVERIFY(lockFile.exists());
    QCOMPARE(next.tryAcquire(), SingleInstance::Acquired);
    QVERIFY(next.isHeld());
    QCOMPARE(tryInOtherProcess(), int(SingleInstance::AlreadyRunning));
}

int main(int argc, char** argv)
{
    if (argc >= 2 && (qstrcmp(argv[1], "--try") == 0 || qstrcmp(argv[1], "--hold") == 0))
        return runAsOtherCopy(argc, argv);
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "TestSingleInstance.moc"
