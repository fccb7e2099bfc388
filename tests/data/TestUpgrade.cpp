// Upgrading a catalogue of an older layout: the new fields at their defaults, the ports moved, a killed upgrade
// leaving the old layout whole; the start-up that runs it in its window, and fails whole.
#include "CatalogueFixtures.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/DatabaseUpgrade.h"
#include "data/gui/CatalogueStartup.h"
#include "platform/ScriptedMessageBox.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace catalogue;
using namespace testsupport;

namespace {

// Distinct values, so a swapped pair of defaults shows.
const PortDefaults kTestDefaults{1, 0, 2, 1, 0, 1, 4, 3};

const char* kPortColumns = "Port1Joy || ',' || Port2Joy || ',' || Port1Key || ',' || Port2Key || ' / ' || "
                           "V2Port1Joy || ',' || V2Port2Joy || ',' || V2Port1Key || ',' || V2Port2Key";

QString portsOf(const QString& db, const QString& game)
{
    return sqliteShell(db, QStringLiteral("SELECT %1 FROM Games WHERE Name = '%2'").arg(kPortColumns, game));
}

QString columnsOf(const QString& db)
{
    return sqliteShell(db, "SELECT group_concat(name, ',') FROM pragma_table_info('Games')");
}

} // namespace

class TestUpgradeCases : public QObject
{
    Q_OBJECT

private slots:
    void olderLayoutGainsItsFieldsAndMovesPorts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("newColumns"); // the last columns of Games after the upgrade
        QTest::addColumn<QString>("newFields");  // the new fields at their defaults
        QTest::addColumn<QString>("kept");       // what the upgrade must leave as it was
        QTest::addColumn<QStringList>("ports");  // game: v1.9 ports / v2.0 ports
        // Default ports: the v1.9 values stay, the v2.0 ones take the v2.0 defaults. Own ports used with a v2.0
        // emulator move to the v2.0 fields and v1.9 gets its defaults; own ports with v1.9 stay.
        // clang-format off
        QTest::newRow("without availability") << "catalogue_no_fa.sql" << int(Layout::LacksAvailability) << "Port2Key,FA,SA,V2Port1Key,V2Port2Key,V2Port1Joy,V2Port2Joy"
            << "FA = 0 AND SA = 0" << "Name || Trained || HighScore || DocFile || TimesPlayed || DateLastPlayed"
            << QStringList{"Defaults Game: 0,1,2,0 / 0,1,4,3", "Own Ports V2: 1,0,2,1 / 1,0,3,4", "Own Ports V19: 1,1,1,2 / 0,1,4,3"};
        QTest::newRow("without trained fields") << "catalogue_no_trained.sql" << int(Layout::LacksTrained) << "Port2Key,Trained,HighScore,DocFile,FA,SA,V2Port1Key,V2Port2Key,V2Port1Joy,V2Port2Joy"
            << "Trained = 0 AND HighScore = '(Not Entered)' AND DocFile = '(None)' AND FA = 0 AND SA = 0" << "Name || TimesPlayed || DateLastPlayed"
            << QStringList{"Old Default: 0,1,2,0 / 0,1,4,3", "Old Own V2: 1,0,2,1 / 1,0,3,4"};
        // clang-format on
    }

    void olderLayoutGainsItsFieldsAndMovesPorts()
    {
        QFETCH(QString, script);
        QFETCH(int, layout);
        QFETCH(QString, newColumns);
        QFETCH(QString, newFields);
        QFETCH(QString, kept);
        QFETCH(QStringList, ports);
        QTemporaryDir dir;
        const QString db = catalogueFromScript(dir.path(), script);
        const QString keptSql = QStringLiteral("SELECT group_concat(%1, ';') FROM Games").arg(kept);
        const QString before = sqliteShell(db, keptSql);
        Catalogue cat;
        QVERIFY(cat.open(db).ok());
        QCOMPARE(int(cat.probeLayout()), layout);
        const UpgradeResult r = upgradeCatalogue(cat, layout == int(Layout::LacksTrained), kTestDefaults);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.rowsConverted, ports.size());
        QCOMPARE(cat.probeLayout(), Layout::Current);
        QVERIFY2(columnsOf(db).endsWith(newColumns), qPrintable(columnsOf(db)));
        for (const QString& row : ports)
            QCOMPARE(row.section(": ", 0, 0) + ": " + portsOf(db, row.section(": ", 0, 0)), row);
        // New fields take their defaults; what a game had stays as it was.
        QCOMPARE(sqliteShell(db, "SELECT count(*) FROM Games WHERE " + newFields), QString::number(ports.size()));
        QCOMPARE(sqliteShell(db, keptSql), before);
        QCOMPARE(sqliteShell(db, "PRAGMA user_version"), QStringLiteral("3"));

        // The record set works on the new layout at once (that the upgrade is not offered again is the start-up
        // case's).
        QVERIFY(cat.games().setIndex("Name") && cat.games().seek(ports[1].section(": ", 0, 0).toUpper()));
        QCOMPARE(cat.games().number("V2Port2Key"), 4);
    }

    void killedUpgradeRunsAgainWhole()
    {
        const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_fa.sql", "killed.mdb");
        sqliteShell(db, "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 3000) "
                        "INSERT INTO Games (Name, CCode, Filename, Trained, UseDefault, DirectX, "
                        "Port1Joy, Port2Joy, Port1Key, Port2Key) "
                        "SELECT 'Game ' || i, 0, 'g.d64', 1, 0, 1, 1, 0, 2, 1 FROM c");
        const QString columnsBefore = columnsOf(db);

        QProcess worker;
        worker.start(QStringLiteral(DURABILITY_WORKER), {QStringLiteral("upgrade"), db});
        QVERIFY(worker.waitForStarted());
        QByteArray seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen += worker.readAllStandardOutput()).contains("row 500\n"), 30000);
        ::kill(static_cast<pid_t>(worker.processId()), SIGKILL);
        QVERIFY(worker.waitForFinished());
        QCOMPARE(worker.exitStatus(), QProcess::CrashExit);

        // The next opener rolls the half-done work back: the old layout, every row as it was.
        QCOMPARE(columnsOf(db), columnsBefore);
        QCOMPARE(sqliteShell(db, "SELECT count(*) FROM Games WHERE Port1Key = 2 AND Name LIKE 'Game %'"),
                 QStringLiteral("3000"));
        QCOMPARE(sqliteShell(db, "PRAGMA integrity_check"), QStringLiteral("ok"));

        Catalogue cat;
        QVERIFY(cat.open(db).ok());
        const UpgradeResult r = upgradeCatalogue(cat, false, kTestDefaults);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.rowsConverted, 3003);
        QCOMPARE(sqliteShell(db, "SELECT count(*) FROM Games WHERE V2Port1Key = 2 AND Port1Key = 2 AND FA = 0"),
                 QStringLiteral("3000"));
    }

    // At start-up the upgrade window runs the upgrade with the port defaults of the settings file and closes itself; an
    // upgrade that fails at its last game is undone whole, reported, and leaves the program unable to go on. (A
    // catalogue that cannot be opened, and every current one that opens without the window, are the window tests'.)
    void startupUpgradesWithTheStoredPortDefaults()
    {
        const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_fa.sql", "startup.mdb");
        const QString ini = m_dir.filePath("Vintrax.ini");
        QVERIFY(writeFile(ini, "[Startup]\nDXDefPort1Key=4\nDXDefPort2Key=3\nDXDefPort1Joy=0\nDXDefPort2Joy=1\n"
                               "DefPort1Key=2\nDefPort2Key=1\n"));
        QSettings store(ini, QSettings::IniFormat);
        platform::ScriptedMessageBox messages;
        Catalogue cat;
        PortDefaults used;
        QVERIFY(openCatalogueAtStartup(cat, db, store, &used));
        QVERIFY(used == kTestDefaults);
        QCOMPARE(portsOf(db, "Own Ports V2"), QStringLiteral("1,0,2,1 / 1,0,3,4"));
        QCOMPARE(messages.count(), 0);

        const QString refusing = catalogueFromScript(m_dir.path(), "catalogue_no_fa.sql", "refusing.mdb");
        sqliteShell(refusing, "CREATE TRIGGER refuse BEFORE UPDATE ON Games WHEN OLD.Name = 'Own Ports V19' "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const QString columnsBefore = columnsOf(refusing);
        Catalogue failing;
        QVERIFY(!openCatalogueAtStartup(failing, refusing, store, nullptr));
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.last().text.contains("left as it was") && messages.last().text.contains("refused"));
        QVERIFY(!failing.isOpen());
        QCOMPARE(columnsOf(refusing), columnsBefore);
        QCOMPARE(
            sqliteShell(refusing, "SELECT Port1Joy || Port2Joy || Port1Key || Port2Key FROM Games WHERE rowid = 2"),
            QStringLiteral("1034"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestUpgradeCases)
#include "TestUpgrade.moc"
