// Running a tool and waiting for it while the window keeps painting: a real child process that logs what it got.
#include "TestFolders.h"
#include "platform/RunAndWait.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace platform;
using namespace testsupport;

class TestRunAndWait : public QObject
{
    Q_OBJECT

private slots:
    void argumentsReachTheChildUntouched();
    void missingProgramReturnsAtOnce();
    void timersRunWhileWaiting();
};

namespace {
QString fakeProgram(const QString& folder, const QString& body)
{
    const QString path = QDir(folder).filePath("fake tool");
    writeFile(path, ("#!/bin/sh\npwd > \"$0.log\"\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$0.log\"; done\n" +
                     body + "\n")
                        .toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
} // namespace

void TestRunAndWait::argumentsReachTheChildUntouched()
{
    QTemporaryDir dir;
    const QString program = fakeProgram(dir.path(), "exit 7");
    const QString work = dir.filePath("work folder");
    QDir().mkpath(work);
    const QString before = QDir::currentPath();
    const QStringList args = {"-d", "a b", "$(touch pwned)", "'quoted' \"twice\"", "", "semi;colon"};
    RunAndWait({program, args}, work);
    QCOMPARE(QDir::currentPath(), before); // our own folder is not changed
    QCOMPARE(QString::fromUtf8(readFile(program + ".log")), work + "\n" + args.join('\n') + "\n");
    QVERIFY(!QFile::exists(work + "/pwned"));
}

void TestRunAndWait::missingProgramReturnsAtOnce()
{
    QElapsedTimer t;
    t.start();
    RunAndWait({"/nonexistent/tool", {"x"}}, QDir::tempPath());
    RunAndWait({"", {}}, QDir::tempPath());
    QVERIFY(t.elapsed() < 5000);
}

void TestRunAndWait::timersRunWhileWaiting()
{
    // The window keeps repainting while a tool runs. (Held-back mouse and keyboard input comes from the
    // window system, which a test cannot feed without Qt's private headers.)
    QTemporaryDir dir;
    const QString program = fakeProgram(dir.path(), "sleep 0.5");
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    QElapsedTimer t;
    t.start();
    RunAndWait({program, {}}, dir.path());
    QVERIFY(t.elapsed() >= 450); // waited for the end
    QVERIFY(ticks > 5);
}

QTEST_MAIN(TestRunAndWait)
#include "TestRunAndWait.moc"
