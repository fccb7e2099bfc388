// A catalogue change on a full file system and under kill -9: the old file stays (byte for byte), or the new
// row is there whole (every row of a bulk change), and the file always passes the engine's integrity check. The
// settings rewrite is a row of the writer table (tests/writers); here only the lock a killed rewrite leaves behind.
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
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<qint64>("freeBytes");
        QTest::addColumn<bool>("noFreeFiles");
        QTest::addColumn<bool>("written");
        // The change grows the file by several pages and needs a journal of about as many.
        QTest::newRow("no space left") << qint64(0) << false << false;
        QTest::newRow("journal cut short") << qint64(8192) << false << false;
        QTest::newRow("room for the journal only") << qint64(24576) << false << false;
        QTest::newRow("no journal can be made") << qint64(1 << 20) << true << false;
        QTest::newRow("room enough") << qint64(1 << 20) << false << true;
    }

    void fullDiskKeepsTheOldFile()
    {
        QFETCH(qint64, freeBytes);
        QFETCH(bool, noFreeFiles);
        QFETCH(bool, written);
        SmallDisk disk(4 << 20);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const QString path = catalogueFromScript(disk.path(), QStringLiteral("catalogue_current.sql"));
        QVERIFY(!path.isEmpty());
        const QByteArray before = readFile(path);
        QVERIFY2(disk.leaveFree(freeBytes), qPrintable(disk.whyNot()));
        QVERIFY2(!noFreeFiles || disk.leaveNoFreeFiles(), qPrintable(disk.whyNot()));
        {
            Catalogue cat;
            QVERIFY(cat.open(path).ok());
            CurrentGame game;
            game.open(cat.db());
            QVERIFY(game.selectByName(QStringLiteral("Sanxion")));
            QCOMPARE(game.change({{field::TimesPlayed, 99}, {field::PersonalComment, QString(20000, 'c')}}), written);
        }
        QCOMPARE(disk.entries(), QStringList{QStringLiteral("Vintrax.mdb")});
        QCOMPARE(sqliteShell(path, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        if (written)
            QCOMPARE(
                sqliteShell(path, "SELECT TimesPlayed, length(\"Personal Comment\") FROM Games WHERE Name = 'Sanxion'"),
                QStringLiteral("99|20000"));
        else
            QCOMPARE(readFile(path), before);
    }

    void emptyLockOfAKilledSettingsRewriteIsNoHindrance()
    {
        // A writer killed before it could put its process id in the lock leaves it empty: QSettings alone would
        // wait half a minute for it to go stale.
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Vintrax.ini"));
        QVERIFY(writeFile(ini, handEditedSettingsFile()));
        QVERIFY(writeFile(ini + QStringLiteral(".lock"), QByteArray()));
        const RunResult next =
            runProgram(QStringLiteral(DURABILITY_WORKER), {"settings", ini, "A"}, dir.path(), true, 15000);
        QCOMPARE(next.exitCode, 0);
        QVERIFY(!next.crashed);
        QCOMPARE(loadSettings(*openSettingsStore(ini), standardContext()).CurrentGame,
                 settingsVariant('A').CurrentGame);
    }

    void killedCatalogueChangeLeavesTheOldOrTheNewRow_data()
    {
        QTest::addColumn<QString>("worker"); // its mode: the current game's change, or a bulk change of every game
        QTest::newRow("current game") << QStringLiteral("catalogue");
        QTest::newRow("bulk") << QStringLiteral("bulk");
    }
    void killedCatalogueChangeLeavesTheOldOrTheNewRow()
    {
        QFETCH(QString, worker);
        QTemporaryDir dir;
        const QString path = catalogueFromScript(dir.path(), QStringLiteral("catalogue_current.sql"));
        QVERIFY(!path.isEmpty());
        const QString row =
            QStringLiteral("SELECT TimesPlayed, \"Personal Comment\" FROM Games WHERE Name = 'Sanxion'");
        qint64 lastPlayed = 3; // as the fixture has it, with an empty comment
        const KillPlan plan = killPlan();
        QRandomGenerator random(plan.seed);
        for (int kill = 0; kill < plan.kills; ++kill) {
            QString why;
            QVERIFY2(runAndKill(QStringLiteral(DURABILITY_WORKER), {worker, path, "loop"}, random, 200000, &why),
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
            if (worker == QLatin1String("bulk"))
                QVERIFY2(sqliteShell(path, "SELECT count(DISTINCT TimesPlayed || \"Personal Comment\") FROM Games") ==
                             QLatin1String("1"),
                         qPrintable(context + QStringLiteral(": a torn bulk change")));
            lastPlayed = played;
        }
    }
};

QTEST_GUILESS_MAIN(TestDurability)
#include "TestDurability.moc"
