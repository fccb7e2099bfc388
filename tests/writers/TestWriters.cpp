// Every writer of the table (WriterCases.h) on a disk that fills up and under SIGKILL.
//
// Full disk: the old file stays byte for byte (or no output appears), nothing is left behind, and the failure is
// reported with its cause (non-zero exit and one line of reason for the tools, the message for C64.CFG, a status
// and reason for the settings, a reason for the others).
//
// Killed at random moments: after each kill every target holds the old or the new content, whole, never torn,
// missing or empty. The in-process writers loop inside a probe process, which is killed mid-loop; a tool is killed
// at a random moment of its usual running time, the runs alternating between the two variants. The temporary files
// of killed runs do not pile up: the next run removes them. VINTRAX_KILL_COUNT and VINTRAX_KILL_SEED change the 20
// kills and the seed; a failure names the seed, the kill and the delay.

#include "KillAtRandom.h"
#include "ProcessRunner.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "WriterCases.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cerrno>
#include <cstring>

using namespace writertest;

namespace {

// Every plain file of the folder (not below it) with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        files.insert(name, testsupport::readFile(QDir(folder).filePath(name)));
    return files;
}

} // namespace

class TestWriters : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskThenKills_data()
    {
        QTest::addColumn<int>("writer");
        for (int i = 0; i < writerCases().size(); ++i)
            QTest::newRow(writerCases()[i].name.toUtf8()) << i;
    }
    // The full disk and then the kills, in one work folder on a small disk.
    void fullDiskThenKills()
    {
        QFETCH(int, writer);
        const WriterCase& w = writerCases()[writer];
        testsupport::SmallDisk disk;
        if (!disk.isValid())
            QSKIP(qPrintable(QStringLiteral("no small disk to fill: ") + disk.whyNot()));
        const QString work = disk.filePath(QStringLiteral("work"));
        QVERIFY2(QDir().mkpath(work + "/in") && w.prepare(work), "could not make the inputs");

        // Each variant once with room to spare, the new one first: the two contents each target may hold (the old
        // one left in place), and how long one undisturbed run of a tool takes.
        QMap<QString, QList<QByteArray>> allowed;
        qint64 runMs = 1, newSize = 0;
        for (int v : {1, 0}) {
            w.beforeRun(work, v);
            QElapsedTimer timer;
            timer.start();
            QVERIFY2(w.run(work, v).ok, qPrintable(QStringLiteral("variant %1 fails with room to spare").arg(v)));
            runMs = std::max(runMs, timer.elapsed());
            for (const QString& t : w.targets)
                allowed[t] << testsupport::readFile(QDir(work).filePath(t));
        }
        for (const QString& t : w.targets) {
            QVERIFY2(allowed[t][0] != allowed[t][1] && !allowed[t][0].isEmpty(), "the variants must differ");
            newSize += allowed[t][0].size();
        }

        // The disk fills up partway, with room for about half the new content.
        w.beforeRun(work, 1);
        const QMap<QString, QByteArray> before = snapshot(work);
        for (const QString& t : w.targets)
            QCOMPARE(before.contains(t), w.replacesTargets);
        QVERIFY(disk.leaveFree(newSize / 2));
        const Outcome o = w.run(work, 1);
        disk.freeAll();
        QVERIFY2(!o.ok, "reported success on a full disk");
        QVERIFY2(o.badReport.isEmpty(), qPrintable(o.badReport));
        // The cause is named (it used to be "Unknown error" after a short write, or the read-only text of C64.CFG).
        QVERIFY2(o.told.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))), qPrintable(o.told));
        QCOMPARE(snapshot(work), before);

        const auto [kills, seed] = testsupport::killPlan();
        QRandomGenerator random(seed + quint32(writer));
        const QStringList present = QDir(work).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (int k = 0; k < kills; ++k) {
            const int variant = k & 1;
            w.beforeRun(work, variant);
            const ChildCommand command = w.child(work, variant);
            QProcess child;
            child.setWorkingDirectory(work);
            child.start(command.program, command.arguments);
            QVERIFY(child.waitForStarted());
            // A loop is killed somewhere in its first 150 ms (many rewrites); a tool anywhere in a run.
            const int delay = command.loops ? random.bounded(20, 150) : random.bounded(int(runMs) + 1);
            QThread::msleep(ulong(delay));
            child.kill();
            QVERIFY(child.waitForFinished());

            const QString where = QStringLiteral("seed %1, kill %2, after %3 ms: ").arg(seed).arg(k).arg(delay);
            const bool inputConsumed = !w.replacesTargets && !QFile::exists(QDir(work).filePath(w.consumes));
            for (const QString& t : w.targets) {
                const QString path = QDir(work).filePath(t);
                // A writer that never replaces may not have got as far as its output; once it has consumed its
                // input, the output must be there.
                if (!w.replacesTargets && !inputConsumed && !QFile::exists(path))
                    continue;
                QVERIFY2(QFile::exists(path), qPrintable(where + t + " is missing"));
                const QByteArray now = testsupport::readFile(path);
                QVERIFY2(allowed[t].contains(now),
                         qPrintable(where + t + QStringLiteral(" is torn (%1 bytes)").arg(now.size())));
            }
        }
        // A run started after the kills removes the temporary files they left (they used to pile up, one or more per
        // kill): once it has written, at most what its own kill leaves stays.
        QThread::msleep(50);
        w.beforeRun(work, 0);
        const ChildCommand last = w.child(work, 0);
        QString why;
        QVERIFY2(last.loops ? testsupport::runAndKill(last.program, last.arguments, random, 50000, &why)
                            : testsupport::runProgram(last.program, last.arguments, work).exitCode == 0,
                 qPrintable(why));
        QStringList leftovers = QDir(work).entryList(QDir::Files | QDir::Hidden | QDir::System);
        leftovers.removeIf(
            [&](const QString& n) { return present.contains(n) || w.targets.contains(n) || n == w.consumes; });
        QVERIFY2(leftovers.size() <= std::max<qsizetype>(1, w.targets.size()), qPrintable(leftovers.join(", ")));
    }
};

QTEST_GUILESS_MAIN(TestWriters)
#include "TestWriters.moc"
