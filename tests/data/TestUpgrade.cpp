#include "CatalogueFixtures.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/DatabaseUpgrade.h"
#include "data/gui/CatalogueStartup.h"
#include "data/gui/frmDatabaseUpdate.h"
#include "platform/ScriptedMessageBox.h"

#include <QSettings>

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace catalogue;
using namespace testsupport;

namespace {

// Distinct values, so a swapped pair of defaults shows.
PortDefaults testDefaults()
{
    return {1, 0, 2, 1, 0, 1, 4, 3};
}

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
    void layoutWithoutAvailabilityKeepsTrainedFieldsAndMovesPorts();
    void oldestLayoutGetsEveryField();
    void emptyGamesTableOnlyGainsFields();
    void failedUpgradeLeavesTheOldLayout();
    void killedUpgradeRunsAgainWhole();
    void windowRunsTheUpgradeAndClosesItself();
    void startupUpgradesWithTheStoredPortDefaults();
    void startupReportsAnUnusableCatalogue();

private:
    QTemporaryDir m_dir;
};

void TestUpgradeCases::layoutWithoutAvailabilityKeepsTrainedFieldsAndMovesPorts()
{
    const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_fa.sql", "nofa.mdb");
    Catalogue cat;
    QVERIFY(cat.open(db).ok());
    QCOMPARE(cat.probeLayout(), Layout::LacksAvailability);
    const UpgradeResult r = upgradeCatalogue(cat, false, testDefaults());
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.rowsConverted, 3);
    QCOMPARE(cat.probeLayout(), Layout::Current);

    QVERIFY(columnsOf(db).endsWith("Port2Key,FA,SA,V2Port1Key,V2Port2Key,V2Port1Joy,V2Port2Joy"));
    QCOMPARE(sqliteShell(db, "SELECT Trained || '|' || HighScore || '|' || DocFile || '|' || FA || SA "
                             "FROM Games WHERE Name = 'Defaults Game'"),
             QStringLiteral("1|99999|C:\\Docs\\a.txt|00"));
    QCOMPARE(sqliteShell(db, "SELECT count(*) FROM Games WHERE FA = 0 AND SA = 0"), QStringLiteral("3"));
    // Default ports: the v1.9 values stay, the v2.0 ones take the v2.0 defaults.
    QCOMPARE(portsOf(db, "Defaults Game"), QStringLiteral("0,1,2,0 / 0,1,4,3"));
    // Own ports used with a v2.0 emulator move to the v2.0 fields; v1.9 gets its defaults.
    QCOMPARE(portsOf(db, "Own Ports V2"), QStringLiteral("1,0,2,1 / 1,0,3,4"));
    // Own ports with v1.9 stay; v2.0 gets its defaults.
    QCOMPARE(portsOf(db, "Own Ports V19"), QStringLiteral("1,1,1,2 / 0,1,4,3"));
    QCOMPARE(sqliteShell(db, "PRAGMA user_version"), QStringLiteral("3"));

    // The record set works on the new layout at once, and the upgrade is not offered again.
    QVERIFY(cat.games().setIndex("Name"));
    QVERIFY(cat.games().seek("own ports v2"));
    QCOMPARE(cat.games().number("V2Port2Key"), 4);
    cat.close();
    QVERIFY(cat.open(db).ok());
    QCOMPARE(cat.probeLayout(), Layout::Current);
}

void TestUpgradeCases::oldestLayoutGetsEveryField()
{
    const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_trained.sql", "notrained.mdb");
    Catalogue cat;
    QVERIFY(cat.open(db).ok());
    QCOMPARE(cat.probeLayout(), Layout::LacksTrained);
    QVERIFY(upgradeCatalogue(cat, true, testDefaults()).ok);
    QVERIFY(
        columnsOf(db).endsWith("Port2Key,Trained,HighScore,DocFile,FA,SA,V2Port1Key,V2Port2Key,V2Port1Joy,V2Port2Joy"));
    QCOMPARE(sqliteShell(db, "SELECT count(*) FROM Games WHERE Trained = 0 AND HighScore = '(Not Entered)' "
                             "AND DocFile = '(None)' AND FA = 0 AND SA = 0"),
             QStringLiteral("2"));
    QCOMPARE(portsOf(db, "Old Default"), QStringLiteral("0,1,2,0 / 0,1,4,3"));
    QCOMPARE(portsOf(db, "Old Own V2"), QStringLiteral("1,0,2,1 / 1,0,3,4"));
    // Nothing else of a game changes.
    QCOMPARE(sqliteShell(db, "SELECT TimesPlayed || ' ' || DateLastPlayed FROM Games WHERE Name = 'Old Own V2'"),
             QStringLiteral("5 01-01-1999"));
    QCOMPARE(cat.probeLayout(), Layout::Current);
}

void TestUpgradeCases::emptyGamesTableOnlyGainsFields()
{
    const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_fa.sql", "empty.mdb");
    sqliteShell(db, "DELETE FROM Games");
    Catalogue cat;
    QVERIFY(cat.open(db).ok());
    const UpgradeResult r = upgradeCatalogue(cat, false, testDefaults());
    QVERIFY(r.ok);
    QCOMPARE(r.rowsConverted, 0);
    QCOMPARE(cat.probeLayout(), Layout::Current);
    QVERIFY(cat.games().eof());
}

void TestUpgradeCases::failedUpgradeLeavesTheOldLayout()
{
    const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_fa.sql", "failing.mdb");
    // The last game cannot be rewritten: the whole upgrade must come undone.
    sqliteShell(db, "CREATE TRIGGER refuse BEFORE UPDATE ON Games WHEN OLD.Name = 'Own Ports V19' "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const QString columnsBefore = columnsOf(db);
    Catalogue cat;
    QVERIFY(cat.open(db).ok());
    const UpgradeResult r = upgradeCatalogue(cat, false, testDefaults());
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains("refused"));
    QCOMPARE(cat.probeLayout(), Layout::LacksAvailability);
    QCOMPARE(columnsOf(db), columnsBefore);
    QCOMPARE(
        sqliteShell(db, "SELECT Port1Joy || Port2Joy || Port1Key || Port2Key FROM Games WHERE Name = 'Own Ports V2'"),
        QStringLiteral("1034"));
    // The game record set is open again and usable.
    QVERIFY(cat.games().setIndex("Name"));
    QVERIFY(cat.games().seek("Own Ports V2"));
    QVERIFY(!cat.games().hasField("FA"));
}

void TestUpgradeCases::killedUpgradeRunsAgainWhole()
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
    QCOMPARE(cat.probeLayout(), Layout::LacksAvailability);
    const UpgradeResult r = upgradeCatalogue(cat, false, testDefaults());
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.rowsConverted, 3003);
    QCOMPARE(sqliteShell(db, "SELECT count(*) FROM Games WHERE V2Port1Key = 2 AND Port1Key = 2 AND FA = 0"),
             QStringLiteral("3000"));
}

void TestUpgradeCases::windowRunsTheUpgradeAndClosesItself()
{
    const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_trained.sql", "window.mdb");
    Catalogue cat;
    QVERIFY(cat.open(db).ok());
    int reads = 0;
    frmDatabaseUpdate form(cat, true, [&reads] {
        ++reads;
        return testDefaults();
    });
    QCOMPARE(form.windowTitle(), QStringLiteral("Updating Database for use with vintrax v1.2..."));
    QCOMPARE(form.size(), QSize(409, 57));
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(reads, 1);
    QVERIFY(form.result().ok);
    QVERIFY(form.portDefaults() == testDefaults());
    QCOMPARE(form.findChild<QProgressBar*>("pbUpdate")->value(), 100);
    QCOMPARE(form.findChild<QLabel*>("lblGame")->text(), QStringLiteral("Old Own V2"));
    QCOMPARE(cat.probeLayout(), Layout::Current);
}

void TestUpgradeCases::startupUpgradesWithTheStoredPortDefaults()
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
    QCOMPARE(messages.count(), 0);
    QVERIFY(used == testDefaults());
    QCOMPARE(cat.probeLayout(), Layout::Current);
    QCOMPARE(portsOf(db, "Own Ports V2"), QStringLiteral("1,0,2,1 / 1,0,3,4"));
    // A current catalogue opens without the upgrade window.
    Catalogue again;
    QVERIFY(openCatalogueAtStartup(again, db, store, nullptr));
    QCOMPARE(messages.count(), 0);
}

void TestUpgradeCases::startupReportsAnUnusableCatalogue()
{
    QSettings store(m_dir.filePath("empty.ini"), QSettings::IniFormat);
    platform::ScriptedMessageBox messages;
    Catalogue cat;
    QVERIFY(!openCatalogueAtStartup(cat, m_dir.filePath("nowhere/Vintrax.mdb"), store, nullptr));
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, QStringLiteral("Cannot find 'vintrax.mdb' in the 'vinTrax' directory"));
    QCOMPARE(messages.last().title, QStringLiteral("vinTrax"));
    QCOMPARE(messages.last().icon, platform::MessageBox::Critical);

    // An upgrade that fails is reported and leaves the program unable to go on.
    const QString db = catalogueFromScript(m_dir.path(), "catalogue_no_fa.sql", "refusing.mdb");
    sqliteShell(db, "CREATE TRIGGER refuse BEFORE UPDATE ON Games BEGIN SELECT RAISE(ABORT, 'refused'); END");
    QVERIFY(!openCatalogueAtStartup(cat, db, store, nullptr));
    QCOMPARE(messages.count(), 2);
    QVERIFY(messages.last().text.contains("left as it was"));
    QVERIFY(!cat.isOpen());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestUpgradeCases tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "TestUpgrade.moc"
