// A catalogue change on a full file system and under kill -9: the old file stays (byte for byte), or the new
// row is there whole, and the file always passes the engine's integrity check. The
// settings rewrite is a row of the writer table (tests/writers); here only the lock a killed rewrite leaves behind.
// The first run of an installed program (the package test runs the whole of it): made whole or not at all on a full
// disk, and never when there is a data folder or a settings file.
#include "CatalogueFixtures.h"
#include "KillAtRandom.h"
#include "ProcessRunner.h"
#include "SettingsTestHelpers.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/FirstRun.h"
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

    QTemporaryDir m_dir;
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // Installed folders: the demo below the temp folder, the user's data folder below dataParent.
    platform::Folders installed(const QString& dataParent) const
    {
        platform::Folders f = platform::Folders::inProgramFolder(dataParent + "/Vintrax");
        f.installed = true;
        f.demo = path("demo");
        return f;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(path("demo/Vintrax.mdb"), QByteArray(256 * 1024, 'c')));
        QVERIFY(writeFile(path("demo/Screenshots/nibble.gif"), "GIF89a"));
    }

    // A settings file there means the user has run the program before, even without a data folder. (A data folder
    // there is the package test's second run.)
    void notFirstRunWithSettings()
    {
        const platform::Folders f = installed(path("settings/share"));
        QVERIFY(writeFile(path("settings/Vintrax.ini"), "[Startup]\n"));
        const auto store = openSettingsStore(path("settings/Vintrax.ini"));
        QCOMPARE(int(prepareFirstRun(f, *store).result), int(FirstRunResult::NotFirstRun));
        QVERIFY(!QFile::exists(f.catalogue) && !store->contains("Startup/GamesPath"));
    }

    // A disk that runs full while the catalogue is copied: the failure names the folder, and neither the data
    // folder, nor a half-made one, nor the settings are left; with room again the next start is a first run.
    void firstRunOnAFullDisk()
    {
        SmallDisk disk(1024 * 1024);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const platform::Folders f = installed(disk.path());
        const auto store = openSettingsStore(path("full/Vintrax.ini"));
        QVERIFY(disk.leaveFree(64 * 1024));
        const FirstRunOutcome full = prepareFirstRun(f, *store);
        QCOMPARE(int(full.result), int(FirstRunResult::Failed));
        QVERIFY2(full.error.contains(f.data), qPrintable(full.error));
        QCOMPARE(disk.entries(), QStringList());
        QVERIFY(!QFile::exists(path("full/Vintrax.ini")));
        disk.freeAll();
        QCOMPARE(int(prepareFirstRun(f, *store).result), int(FirstRunResult::Prepared));
        QCOMPARE(readFile(f.catalogue), readFile(path("demo/Vintrax.mdb")));
    }

    // The change grows the file by several pages and needs a journal of about as many; there is room for the journal
    // only.
    void fullDiskKeepsTheOldFile()
    {
        SmallDisk disk(4 << 20);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const QString path = catalogueFromScript(disk.path(), QStringLiteral("catalogue_current.sql"));
        const QByteArray before = readFile(path);
        QVERIFY2(!path.isEmpty() && disk.leaveFree(24576), qPrintable(disk.whyNot()));
        {
            Catalogue cat;
            QVERIFY(cat.open(path).ok());
            CurrentGame game;
            game.open(cat.db());
            QVERIFY(game.selectByName(QStringLiteral("Sanxion")));
            QVERIFY(!game.change({{field::TimesPlayed, 99}, {field::PersonalComment, QString(20000, 'c')}}));
        }
        QCOMPARE(disk.entries(), QStringList{QStringLiteral("Vintrax.mdb")});
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

    // The current game's change killed at any moment; a bulk change killed is the verification's kill test
    // (tests/maintenance), whose batches go through the same store.
    void killedCatalogueChangeLeavesTheOldOrTheNewRow()
    {
        QTemporaryDir dir;
        const QString path = catalogueFromScript(dir.path(), QStringLiteral("catalogue_current.sql"));
        QVERIFY(!path.isEmpty());
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
            const QStringList values =
                sqliteShell(path, "SELECT TimesPlayed, \"Personal Comment\" FROM Games WHERE Name = 'Sanxion'")
                    .split('|');
            QCOMPARE(values.size(), 2);
            const qint64 played = values[0].toLongLong();
            QVERIFY2(played > lastPlayed, qPrintable(context)); // every run recorded at least its first play
            QVERIFY2(values[1] == playComment(played), qPrintable(context + QStringLiteral(": a torn row")));
            lastPlayed = played;
        }
    }
};

QTEST_GUILESS_MAIN(TestDurability)
#include "TestDurability.moc"
