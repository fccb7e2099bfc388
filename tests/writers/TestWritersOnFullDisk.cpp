// Every writer on a disk that fills up before it is done: the old file stays byte for byte (or no output appears),
// nothing is left behind, and the failure is reported (non-zero exit and one line of reason for the tools, the
// message for C64.CFG, a reason for the ZIP extraction).

#include "SmallDisk.h"
#include "TestFolders.h"
#include "WriterCases.h"

#include <QDir>
#include <QMap>
#include <QTest>

using namespace writertest;

class TestWritersOnFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
};

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

void TestWritersOnFullDisk::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<bool>("partway"); // false: no space at all; true: room for about half the new content
    for (int i = 0; i < writerCases().size(); ++i) {
        const QByteArray name = writerCases()[i].name.toUtf8();
        QTest::newRow(name + ", disk full") << i << false;
        QTest::newRow(name + ", fills up partway") << i << true;
    }
}

void TestWritersOnFullDisk::failedWriteKeepsTheOldFile()
{
    QFETCH(int, writer);
    QFETCH(bool, partway);
    const WriterCase& w = writerCases()[writer];
    testsupport::SmallDisk disk;
    if (!disk.isValid())
        QSKIP(qPrintable(QStringLiteral("no small disk to fill: ") + disk.whyNot()));
    const QString work = disk.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(work));
    QVERIFY2(w.prepare(work), "could not make the inputs");

    // The new content once with room to spare, to learn its size; then the old content is put in place.
    qint64 newSize = 0;
    for (int v : {1, 0}) {
        if (w.beforeRun)
            w.beforeRun(work, v);
        QVERIFY2(w.run(work, v).ok, qPrintable(QStringLiteral("variant %1 fails with room to spare").arg(v)));
        for (const QString& t : w.targets)
            newSize += v == 1 ? QFileInfo(QDir(work).filePath(t)).size() : 0;
    }
    if (w.beforeRun)
        w.beforeRun(work, 1);
    const QMap<QString, QByteArray> before = snapshot(work);
    for (const QString& t : w.targets)
        QCOMPARE(before.contains(t), w.replacesTargets);

    QVERIFY(disk.leaveFree(partway ? newSize / 2 : 0));
    const Outcome o = w.run(work, 1);
    disk.freeAll();
    QVERIFY2(!o.ok, "reported success on a full disk");
    QVERIFY2(o.badReport.isEmpty(), qPrintable(o.badReport));
    QCOMPARE(snapshot(work), before);
}

QTEST_GUILESS_MAIN(TestWritersOnFullDisk)
#include "TestWritersOnFullDisk.moc"
