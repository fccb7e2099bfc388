// The verification, the missing-files search and the resets on a real catalogue and real folders: what each run
// finds, reports and writes.
#include "CatalogueFixtures.h"
#include "KillAtRandom.h"
#include "MaintenanceFixtures.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "maintenance/CatalogueResets.h"
#include "maintenance/MissingFilesRun.h"
#include "maintenance/VerifyRun.h"
#include "maintenance/WriteRefusal.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace maintenance;
using namespace maintenancetest;
using testsupport::sqliteShell;

class TestMaintenanceRuns : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString root(const QString& relative) const { return m_dir.filePath(relative); }
    bool makeFiles(const QStringList& files) const
    {
        for (const QString& f : files)
            if (!(f.endsWith(u'/') ? QDir().mkpath(root(f)) : testsupport::writeFile(root(f), "x")))
                return false;
        return true;
    }

private slots:
    void init() { QVERIFY(m_dir.isValid() && QDir::setCurrent(root(QString())) && QDir().mkpath(root("db"))); }
    void cleanup() { QVERIFY(m_dir.remove() && QDir().mkpath(m_dir.path())); }

    void verify_data()
    {
        QTest::addColumn<QStringList>("folders"); // the game folders below the root, in order; "" is an empty entry
        QTest::addColumn<QString>("music");
        QTest::addColumn<QStringList>("files"); // made below the root, which is also the current folder
        QTest::addColumn<QStringList>("games"); // Name|Filename|Music Filename|FA|SA
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<QString>("after"); // Name|FA|SA|CCode
        QTest::addColumn<int>("listings");  // folders listed for letter-case matching; -1 unchecked
        const auto row = [](const char* name, const char* folders, const char* music, const char* files,
                            const char* game, const char* report, const char* after, int listings) {
            const auto list = [](const QString& t) { return t.isEmpty() ? QStringList() : t.split(u','); };
            QTest::addRow("%s", name) << list(folders) << QString(music) << list(files) << list(game) << list(report)
                                      << QString(after) << listings;
        };
        // clang-format off
        row("empty table", "A", "M", "A/", "", "", "", 0);
        // Not in the first three, found in the fourth (each listed once): the fifth is never looked at. The colour
        // follows the file names.
        row("fourth folder", "A,B,C,D,E", "M", "A/,B/,C/,D/x.d64,E/x.d64", "X|x.d64|(None)|0|0", "Game|X|Found", "X|1|0|8388608", 4);
        row("made on Windows", "Coll", "M", "Coll/games/ELITE.d64,M/HUBBARD/commando.SID",
            "Elite|GAMES\\Elite.D64|Hubbard\\Commando.sid|0|0", "Game|Elite|Found,Sid Filename|Elite|Found", "Elite|1|1|0", -1);
        row("missing; (None) keeps its flags", "A", "M", "A/,M/", "Gone|gone.d64|sub\\gone.sid|1|1,Kept|(None)|(None)|1|1", "Game|Gone|Not Found,Sid|Gone|Not Found", "Gone|0|0|0\nKept|1|1|8421504", -1);
        // Empty entries (and an unset tune folder) are never taken for the current folder, where the files lie.
        row("empty entries", ", ,B", "", "B/,x.d64,x.sid", "X|x.d64|x.sid|1|1", "Game|X|Not Found,Sid|X|Not Found", "X|0|0|0", 1);
        // clang-format on
    }
    void verify()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, music);
        QFETCH(QStringList, files);
        QFETCH(QStringList, games);
        QFETCH(QStringList, report);
        QFETCH(QString, after);
        QFETCH(int, listings);
        QVERIFY(makeFiles(files));
        const QString path = catalogueOf(root("db"), games);
        catalogue::Catalogue cat;
        QVERIFY(cat.open(path).ok());
        catalogue::GameStore store(cat.db());
        Settings settings;
        for (int i = 0; i < folders.size(); ++i)
            settings.GamesPath[size_t(i)] = folders[i].trimmed().isEmpty() ? folders[i] : root(folders[i]);
        settings.MusicPath = music.isEmpty() ? music : root(music);
        QSignalSpy told(&store, &catalogue::GameStore::gamesChanged);
        VerifyRun run(cat.db(), store, settings);
        int steps = 0;
        QCOMPARE(runToEnd(run, &steps), report);
        QCOMPARE(steps, 2 * games.size() + 1); // each step ends after a file test
        QVERIFY(run.failure().isEmpty());
        QCOMPARE(told.count(), run.batchesWritten() > 0 ? 1 : 0); // the lists are told once, at the end
        QCOMPARE(sqliteShell(path, "SELECT Name, FA, SA, CCode FROM Games ORDER BY Name"), after);
        if (listings >= 0)
            QCOMPARE(run.listingsRead(), listings);
    }

    // Killed at any moment, a verification leaves a catalogue that opens and passes the engine's check, in which
    // every batch is written whole or not at all, in the table's order.
    void killedVerificationKeepsItsFinishedBatches()
    {
        QVERIFY(makeFiles({"A/"}));
        for (int i = 0; i < 1000; ++i)
            QVERIFY(testsupport::writeFile(root(QStringLiteral("A/g%1.d64").arg(i)), "x"));
        const QString path = catalogueOf(root("db"), {});
        const testsupport::KillPlan plan = testsupport::killPlan();
        QRandomGenerator random(plan.seed);
        for (int kill = 0; kill < plan.kills; ++kill) {
            QCOMPARE(sqliteShell(path, "DELETE FROM Games; WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 "
                                       "FROM n WHERE i < 999) INSERT INTO Games (Name, Filename, \"Music Filename\", "
                                       "FA, SA, CCode) SELECT 'G' || i, 'g' || i || '.d64', '(None)', 0, 0, 8388608 "
                                       "FROM n"),
                     QString());
            QString why;
            QVERIFY2(testsupport::runAndKill(VERIFY_WORKER, {path, root("A")}, random, 600000, &why), qPrintable(why));
            const QString context = QStringLiteral("kill %1 of seed %2").arg(kill).arg(plan.seed);
            QVERIFY2(sqliteShell(path, "PRAGMA integrity_check") == "ok", qPrintable(context));
            const int written = sqliteShell(path, "SELECT count(*) FROM Games WHERE FA = 1").toInt();
            QVERIFY2(written % 50 == 0, qPrintable(context + QStringLiteral(": %1 rows").arg(written)));
            QVERIFY2(sqliteShell(path, "SELECT count(*) FROM Games WHERE FA = 1 AND rowid > "
                                       "(SELECT min(rowid) FROM Games WHERE FA = 0)") == "0",
                     qPrintable(context));
            catalogue::Catalogue cat;
            QVERIFY2(cat.open(path).ok(), qPrintable(context));
        }
    }

    void missingFiles()
    {
        QVERIFY(makeFiles({"G/ninja.T64", "M/HUBBARD/sanxion.SID", "M/HUBBARD/Commando.sid", "S/ninja.gif"}));
        const QString path = testsupport::catalogueFromScript(root("db"), "catalogue_current.sql");
        QCOMPARE(sqliteShell(path, "UPDATE Games SET \"Screenshot Filename\" = 'wiz.gif' WHERE Name = 'Wizball'; "
                                   "UPDATE Games SET \"Screenshot Filename\" = 'NINJA.GIF' WHERE Name LIKE 'Last%'; "
                                   "DELETE FROM Music WHERE Name <> 'Plain'"),
                 QString());
        catalogue::Catalogue cat;
        QVERIFY(cat.open(path).ok());
        Settings settings;
        settings.GamesPath[2] = root("G");
        settings.MusicPath = root("M");
        MissingFilesRun run(cat.db(), settings, root("S"));
        QCOMPARE(runToEnd(run), QStringList({
                                    "Game Filename|Sanxion|All Games Paths\\Thalamus\\sanxion.d64",
                                    "Sid Filename|Wizball|" + root("M/Galway/Wizball.sid"),
                                    "Screenshot|Wizball|" + root("S/wiz.gif"),
                                    "Sid-Tune DataBase|Plain|" + root("M/Misc/plain.sid"),
                                }));
    }

    void resets_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("after"); // by name: Blast Cut, Blast Keep, Last Ninja, Sanxion, Wizball, Zzap
        // clang-format off
        QTest::addRow("game files") << int(ResetKind::GameFiles) << "Filename, \"Filename Index\", FA, CCode" << "(None)|0|0|128 (None)|0|0|8421504 (None)|0|0|8421504 (None)|0|0|128 (None)|0|0|128 (None)|0|0|8421504";
        QTest::addRow("except Blast") << int(ResetKind::GameFilesExceptBlast) << "Filename, FA, CCode" << "(None)|0|128 Blast\\BLAST012.D64|1|8388608 (None)|0|8421504 (None)|0|128 (None)|0|128 (None)|0|8421504";
        QTest::addRow("tunes") << int(ResetKind::TuneFiles) << "\"Music Filename\", SA, CCode" << "(None)|0|8388608 (None)|0|8388608 (None)|0|8388608 (None)|0|8388608 (None)|0|8421504 (None)|0|8421504";
        // clang-format on
    }
    // Every game changed in one transaction; the lists are told once. (The screenshots' and the times played's reset
    // change one field each: the window test's rows show them.)
    void resets()
    {
        QFETCH(int, kind);
        QFETCH(QString, fields);
        QFETCH(QString, after);
        const QString path = testsupport::catalogueFromScript(root("db"), "catalogue_current.sql");
        QCOMPARE(sqliteShell(path, "INSERT INTO Games (Name, Filename, \"Music Filename\", FA, SA, CCode) VALUES "
                                   "('Blast Keep', 'Blast\\BLAST012.D64', '(None)', 1, 0, 8388608), "
                                   "('Blast Cut', 'blast0123.d64', 'x.sid', 1, 1, 0)"),
                 QString());
        catalogue::Catalogue cat;
        QVERIFY(cat.open(path).ok());
        catalogue::GameStore store(cat.db());
        QSignalSpy told(&store, &catalogue::GameStore::gamesChanged);
        ResetRun run(cat.db(), store, ResetKind(kind));
        runToEnd(run);
        QVERIFY(run.failure().isEmpty());
        QCOMPARE(told.count(), 1);
        QCOMPARE(sqliteShell(path, "SELECT " + fields + " FROM Games ORDER BY Name").replace(u'\n', u' '), after);
    }

    // A catalogue that became read-only is refused before anything runs; a full disk refuses the reset's one
    // transaction and leaves the file as it was, byte for byte.
    void refusals()
    {
        testsupport::SmallDisk disk(4 << 20);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const QString path = testsupport::catalogueFromScript(disk.path(), "catalogue_current.sql");
        catalogue::Catalogue cat;
        QVERIFY(cat.open(path).ok());
        QVERIFY(catalogueWriteRefusal(cat.db()).isEmpty());
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(catalogueWriteRefusal(cat.db()).startsWith("The vintrax database is read-only:\n" + path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        const QByteArray before = testsupport::readFile(path);
        QVERIFY(disk.leaveFree(0));
        catalogue::GameStore store(cat.db());
        ResetRun run(cat.db(), store, ResetKind::TimesPlayed);
        runToEnd(run);
        QVERIFY(run.failure().startsWith("The vintrax database could not be changed:"));
        cat.close();
        QCOMPARE(testsupport::readFile(path), before);
    }
};

QTEST_GUILESS_MAIN(TestMaintenanceRuns)
#include "TestMaintenanceRuns.moc"
