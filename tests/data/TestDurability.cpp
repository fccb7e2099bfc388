// The settings rewrite and a catalogue change on a full file system and under kill -9: the old file stays
// (byte for byte), or the new content is there whole; a catalogue always passes the engine's integrity check.
#include "CatalogueFixtures.h"
#include "KillAtRandom.h"
#include "ProcessRunner.h"
#include "SettingsTestHelpers.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/GameFields.h"
#include "data/settings/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace settingstest;
using namespace testsupport;

class TestDurability : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void killedSettingsRewriteLeavesTheOldOrTheNewFile();
    void killedCatalogueChangeLeavesTheOldOrTheNewRow();
};

void TestDurability::fullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("settings"); // false: the catalogue
    QTest::addColumn<qint64>("freeBytes");
    QTest::addColumn<bool>("noFreeFiles");
    QTest::addColumn<bool>("written");
    // The settings rewrite needs a lock file (one page) and the new file (three pages).
    QTest::newRow("settings: no space left") << true << qint64(0) << false << false;
    QTest::newRow("settings: room for the lock only") << true << qint64(4096) << false << false;
    QTest::newRow("settings: new file cut after one page") << true << qint64(8192) << false << false;
    QTest::newRow("settings: no more files") << true << qint64(65536) << true << false;
    QTest::newRow("settings: room enough") << true << qint64(65536) << false << true;
    // The catalogue change grows the file by several pages and needs a journal of about as many.
    QTest::newRow("catalogue: no space left") << false << qint64(0) << false << false;
    QTest::newRow("catalogue: journal cut short") << false << qint64(8192) << false << false;
    QTest::newRow("catalogue: room for the journal only") << false << qint64(24576) << false << false;
    QTest::newRow("catalogue: no journal can be made") << false << qint64(1 << 20) << true << false;
    QTest::newRow("catalogue: room enough") << false << qint64(1 << 20) << false << true;
}

void TestDurability::fullDiskKeepsTheOldFile()
{
    QFETCH(bool, settings);
    QFETCH(qint64, freeBytes);
    QFETCH(bool, noFreeFiles);
    QFETCH(bool, written);
    SmallDisk disk(4 << 20);
    QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
    const QString name = settings ? QStringLiteral("Vintrax.ini") : QStringLiteral("Vintrax.mdb");
    const QString path = disk.filePath(name);
    if (settings) {
        QVERIFY(writeFile(path, handEditedSettingsFile()));
        QCOMPARE(saveSettings(*openSettingsStore(path), settingsVariant('A'), {}), SettingsWriteStatus::Ok);
    } else {
        QCOMPARE(catalogueFromScript(disk.path(), QStringLiteral("catalogue_current.sql")), path);
    }
    const QByteArray before = readFile(path);
    QVERIFY2(disk.leaveFree(freeBytes), qPrintable(disk.whyNot()));
    QVERIFY2(!noFreeFiles || disk.leaveNoFreeFiles(), qPrintable(disk.whyNot()));

    if (settings) {
        auto store = openSettingsStore(path);
        QCOMPARE(saveSettings(*store, settingsVariant('B'), {}),
                 written ? SettingsWriteStatus::Ok : SettingsWriteStatus::AccessError);
        store.reset(); // tries the pending write once more
    } else {
        Catalogue cat;
        QVERIFY(cat.open(path).ok());
        CurrentGame game;
        game.open(cat.db());
        QVERIFY(game.selectByName(QStringLiteral("Sanxion")));
        const QString comment(20000, QLatin1Char('c'));
        QCOMPARE(game.change({{field::TimesPlayed, 99}, {field::PersonalComment, comment}}), written);
    }
    QCOMPARE(disk.entries(), QStringList{name});
    if (!settings)
        QCOMPARE(sqliteShell(path, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    if (!written) {
        QCOMPARE(readFile(path), before);
    } else if (settings) {
        QCOMPARE(loadSettings(*openSettingsStore(path), standardContext()).Favourites, settingsVariant('B').Favourites);
        QVERIFY(readFile(path).contains("MyOwnKey=keep me"));
    } else {
        QCOMPARE(
            sqliteShell(path, "SELECT TimesPlayed, length(\"Personal Comment\") FROM Games WHERE Name = 'Sanxion'"),
            QStringLiteral("99|20000"));
    }
}

void TestDurability::killedSettingsRewriteLeavesTheOldOrTheNewFile()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Vintrax.ini"));
    QVERIFY(writeFile(ini, handEditedSettingsFile()));
    // Two rounds bring the file to the two texts the loop alternates between.
    QMap<char, QByteArray> texts;
    for (const char which : {'A', 'B', 'A', 'B'}) {
        QCOMPARE(runProgram(QStringLiteral(DURABILITY_WORKER), {"settings", ini, QString(which)}, dir.path()).exitCode,
                 0);
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

void TestDurability::killedCatalogueChangeLeavesTheOldOrTheNewRow()
{
    QTemporaryDir dir;
    const QString path = catalogueFromScript(dir.path(), QStringLiteral("catalogue_current.sql"));
    QVERIFY(!path.isEmpty());
    const QString row = QStringLiteral("SELECT TimesPlayed, \"Personal Comment\" FROM Games WHERE Name = 'Sanxion'");
    qint64 lastPlayed = 3; // as the fixture has it, with an empty comment
    const KillPlan plan = killPlan();
    QRandomGenerator random(plan.seed);
    for (int kill = 0; kill < plan.kills; ++kill) {
        QString why;
        QVERIFY2(runAndKill(QStringLiteral(DURABILITY_WORKER), {"catalogue", path, "loop"}, random, 200000, &why),
                 qPrintable(why));
        const QString context = QStringLiteral("kill %1 of seed %2").arg(kill).arg(plan.seed);
        // The shell rolls back what the killed change left in the journal, as the next start would.
        QVERIFY2(sqliteShell(path, QStringLiteral("PRAGMA integrity_check")) == QLatin1String("ok"),
                 qPrintable(context));
        const QStringList values = sqliteShell(path, row).split(QLatin1Char('|'));
        QCOMPARE(values.size(), 2);
        const qint64 played = values[0].toLongLong();
        QVERIFY2(played > lastPlayed, qPrintable(context)); // every run recorded at least its first play
        QVERIFY2(values[1] == playComment(played), qPrintable(context + QStringLiteral(": a torn row")));
        lastPlayed = played;
    }
}

QTEST_GUILESS_MAIN(TestDurability)
#include "TestDurability.moc"
