// The settings rewrite on a full file system and under kill -9: the old file stays byte for byte, or the
// new one is there whole.
#include "KillAtRandom.h"
#include "ProcessRunner.h"
#include "SettingsTestHelpers.h"
#include "SizeLimitedTmpfs.h"
#include "TestFolders.h"
#include "data/settings/SettingsStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace settingstest;
using namespace testsupport;

class TestSettingsDurability : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void killedRewriteLeavesTheOldOrTheNewFile();
};

void TestSettingsDurability::fullDiskKeepsTheOldFile_data()
{
    // The rewrite needs a lock file (one page) and the new file (three pages).
    QTest::addColumn<qint64>("freeBytes");
    QTest::addColumn<bool>("noFreeFiles");
    QTest::addColumn<bool>("written");
    QTest::newRow("no space left") << qint64(0) << false << false;
    QTest::newRow("room for the lock only") << qint64(4096) << false << false;
    QTest::newRow("new file cut after one page") << qint64(8192) << false << false;
    QTest::newRow("no more files") << qint64(65536) << true << false;
    QTest::newRow("room enough") << qint64(65536) << false << true;
}

void TestSettingsDurability::fullDiskKeepsTheOldFile()
{
    QFETCH(qint64, freeBytes);
    QFETCH(bool, noFreeFiles);
    QFETCH(bool, written);
    SizeLimitedTmpfs disk(256 * 1024);
    QVERIFY2(disk.isMounted(), qPrintable(disk.error()));
    const QString ini = disk.file(QStringLiteral("Vintrax.ini"));
    QVERIFY(writeFile(ini, handEditedSettingsFile()));
    QCOMPARE(saveSettings(*openSettingsStore(ini), settingsVariant('A'), {}), SettingsWriteStatus::Ok);
    const QByteArray before = readFile(ini);
    QVERIFY2(disk.leaveFree(freeBytes), qPrintable(disk.error()));
    QVERIFY2(!noFreeFiles || disk.leaveNoFreeFiles(), qPrintable(disk.error()));

    auto store = openSettingsStore(ini);
    QCOMPARE(saveSettings(*store, settingsVariant('B'), {}),
             written ? SettingsWriteStatus::Ok : SettingsWriteStatus::AccessError);
    store.reset(); // tries the pending write once more
    QCOMPARE(disk.entriesBesideFillers(), QStringList{QStringLiteral("Vintrax.ini")});
    if (!written) {
        QCOMPARE(readFile(ini), before);
        return;
    }
    const Settings read = loadSettings(*openSettingsStore(ini), standardContext());
    QCOMPARE(read.Favourites, settingsVariant('B').Favourites);
    QVERIFY(readFile(ini).contains("MyOwnKey=keep me"));
}

void TestSettingsDurability::killedRewriteLeavesTheOldOrTheNewFile()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Vintrax.ini"));
    QVERIFY(writeFile(ini, handEditedSettingsFile()));
    // Two rounds bring the file to the two texts the loop alternates between.
    QMap<char, QByteArray> texts;
    for (const char which : {'A', 'B', 'A', 'B'}) {
        const RunResult once =
            runProgram(QStringLiteral(DURABILITY_WORKER), {"settings", ini, QString(which)}, dir.path());
        QCOMPARE(once.exitCode, 0);
        texts[which] = readFile(ini);
    }
    QVERIFY(texts['A'].size() < texts['B'].size());

    // Up to 0.2 s of rewriting before each kill: many rewrites in a plain build, several under the sanitizers.
    const KillPlan plan = killPlan();
    QRandomGenerator random(plan.seed);
    QMap<char, bool> seen;
    for (int kill = 0; kill < plan.kills; ++kill) {
        QString why;
        QVERIFY2(runAndKill(QStringLiteral(DURABILITY_WORKER), {"settings", ini, "loop"}, random, 200000, &why),
                 qPrintable(why));
        const QByteArray now = readFile(ini);
        seen[now == texts['A'] ? 'A' : 'B'] = true;
        QVERIFY2(
            now == texts['A'] || now == texts['B'],
            qPrintable(QStringLiteral("kill %1 of seed %2 left %3 bytes").arg(kill).arg(plan.seed).arg(now.size())));
    }
    QVERIFY2(plan.kills < 10 || seen.size() == 2, "the kills never came between two different rewrites");
    // Nor does the lock of a writer killed before it could put its process id in it: QSettings alone
    // would wait half a minute for it to go stale.
    QVERIFY(writeFile(ini + QStringLiteral(".lock"), QByteArray()));
    const RunResult next =
        runProgram(QStringLiteral(DURABILITY_WORKER), {"settings", ini, "A"}, dir.path(), true, 15000);
    QCOMPARE(next.exitCode, 0);
    QVERIFY(!next.crashed);
    QCOMPARE(readFile(ini), texts['A']);
}

VINTRAX_TEST_MAIN_WITH_PRIVATE_MOUNTS(TestSettingsDurability)
#include "TestSettingsDurability.moc"
