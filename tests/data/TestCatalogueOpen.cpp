#include "CatalogueFixtures.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/Schema.h"
#include "data/Snapshot.h"
#include "data/SqlTexts.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace testsupport;

namespace {

QStringList names(const Snapshot& s)
{
    QStringList out;
    for (int r = 0; r < s.recordCount(); ++r)
        out << s.valueAt(r, 0).toString();
    return out;
}

struct FileState
{
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path)
{
    return {readFile(path), QFileInfo(path).lastModified()};
}

} // namespace

class TestCatalogueOpen : public QObject
{
    Q_OBJECT

private slots:
    void handWrittenCatalogueOpensAndShowsItsGames();
    void ownSchemaMatchesTheCatalogueLayout();
    void missingCatalogueIsReportedAndNeverCreated();
    void unusableFilesAreReportedAndLeftUntouched_data();
    void unusableFilesAreReportedAndLeftUntouched();

private:
    QTemporaryDir m_dir;
};

void TestCatalogueOpen::handWrittenCatalogueOpensAndShowsItsGames()
{
    const QString path = catalogueFromScript(m_dir.path(), "catalogue_current.sql", "current.mdb");
    QVERIFY(!path.isEmpty());
    Catalogue cat;
    QVERIFY(cat.open(path).ok());
    QCOMPARE(cat.probeLayout(), Layout::Current);
    for (const QString& t : kTablesInOpenOrder)
        QVERIFY2(cat.table(t).isOpen(), qPrintable(t));

    const Snapshot all = Snapshot::fromView(cat.db(), kGameNameList);
    QVERIFY(all.isValid());
    QCOMPARE(names(all), QStringList({"Last Ninja, The", "Sanxion", "Wizball", "Zzap Demo"}));
    QCOMPARE(all.valueAt(0, 1).toInt(), int(kBlue));
    QCOMPARE(all.valueAt(3, 1).toInt(), int(kGrey));

    const Snapshot playable = Snapshot::fromView(cat.db(), storedQueryFor(GameListView::Playable));
    QCOMPARE(names(playable), QStringList({"Last Ninja, The", "Sanxion"}));
    QCOMPARE(names(Snapshot::fromQuery(cat.db(), gameListQuery(GameListView::Playable))), names(playable));
    const Snapshot tunes = Snapshot::fromView(cat.db(), storedQueryFor(GameListView::Tunes));
    QCOMPARE(names(tunes), QStringList({"Sanxion", "Wizball"}));
    QCOMPARE(names(Snapshot::fromQuery(cat.db(), gameListQuery(GameListView::Tunes))), names(tunes));
    QCOMPARE(names(Snapshot::fromQuery(cat.db(), gameListQuery(GameListView::All))), names(all));

    // A category with the "has a game file" filter leaves out games whose file is "(None)".
    const Snapshot unknownPublisher =
        Snapshot::fromQuery(cat.db(), categoryGamesQuery(CategoryField::Publisher, 37, CategoryFilter::WithGameFile));
    QCOMPARE(names(unknownPublisher), QStringList({"Last Ninja, The"}));
    QCOMPARE(names(Snapshot::fromQuery(cat.db(), categoryGamesQuery(CategoryField::Year, 3, CategoryFilter::AllGames))),
             QStringList({"Wizball"}));
    QCOMPARE(names(Snapshot::fromQuery(cat.db(), musicianTunesQuery(1))), QStringList({"Commando"}));
}

void TestCatalogueOpen::ownSchemaMatchesTheCatalogueLayout()
{
    // Our schema script must give every table the fields, in order and spelling, that a hand-made
    // catalogue has, and the global index names the record sets map to.
    const QString hand = catalogueFromScript(m_dir.path(), "catalogue_current.sql", "hand.mdb");
    const QString ours = QDir(m_dir.path()).filePath("ours.mdb");
    QString error;
    QVERIFY2(createCatalogue(ours, &error), qPrintable(error));
    QVERIFY(!createCatalogue(ours)); // never over an existing file
    for (const QString& t : kTablesInOpenOrder) {
        const QString sql = QStringLiteral("SELECT group_concat(name, '|') FROM pragma_table_info('%1')").arg(t);
        QCOMPARE(sqliteShell(ours, sql), sqliteShell(hand, sql));
    }
    const QString indexes = sqliteShell(ours, "SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master "
                                              "WHERE type = 'index' AND name NOT LIKE 'sqlite_%' ORDER BY name)");
    QCOMPARE(indexes, QStringLiteral("Games_Name,Music_Name,Musicians_Name,Publishers_Publisher"));
    for (const auto& [table, index] :
         {std::pair{"Games", "Name"}, {"Music", "Name"}, {"Musicians", "Name"}, {"Publishers", "Publisher"}})
        QVERIFY(indexes.contains(sqliteIndexName(table, index)));
    // Text compares without regard to case in any SQLite tool, and booleans read as 0/1.
    QCOMPARE(sqliteShell(ours, "INSERT INTO Games (Name) VALUES ('Elite'); "
                               "SELECT count(*) FROM Games WHERE Name = 'ELITE'"),
             QStringLiteral("1"));
    QVERIFY(!sqliteShell(ours, "INSERT INTO Games (Name) VALUES ('eLiTe'); SELECT 'inserted'").contains("inserted"));
    Catalogue cat;
    QVERIFY(cat.open(ours).ok());
    QCOMPARE(cat.probeLayout(), Layout::Current);
}

void TestCatalogueOpen::missingCatalogueIsReportedAndNeverCreated()
{
    const QString path = QDir(m_dir.path()).filePath("absent/Vintrax.mdb");
    Catalogue cat;
    const OpenResult r = cat.open(path);
    QCOMPARE(r.status, OpenStatus::Missing);
    QVERIFY(!cat.isOpen());
    QVERIFY(!QFileInfo::exists(path));
    const OpenFailureMessage m = openFailureMessage(r, path);
    QCOMPARE(m.text, QStringLiteral("Cannot find 'vintrax.mdb' in the 'vinTrax' directory"));
    QCOMPARE(m.title, QStringLiteral("vinTrax"));
}

void TestCatalogueOpen::unusableFilesAreReportedAndLeftUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("detail");
    QTest::newRow("junk") << "junk" << int(OpenStatus::NotCatalogue) << "";
    QTest::newRow("text file") << "text" << int(OpenStatus::NotCatalogue) << "";
    QTest::newRow("empty file") << "empty" << int(OpenStatus::MissingTable) << "Games";
    QTest::newRow("table dropped") << "dropped" << int(OpenStatus::MissingTable) << "Ratings";
    QTest::newRow("stored query dropped") << "noview" << int(OpenStatus::MissingTable) << "Music Only List";
    QTest::newRow("folder") << "folder" << int(OpenStatus::NotCatalogue) << "a folder";
    QTest::newRow("read-only") << "readonly" << int(OpenStatus::ReadOnly) << "";
}

void TestCatalogueOpen::unusableFilesAreReportedAndLeftUntouched()
{
    QFETCH(QString, kind);
    QFETCH(int, status);
    QFETCH(QString, detail);
    QTemporaryDir dir;
    QString path = dir.filePath("Vintrax.mdb");
    if (kind == "junk") {
        QVERIFY(writeFile(path, QByteArray("\x53\x9a\x01\xff").repeated(2048)));
    } else if (kind == "text") {
        QVERIFY(writeFile(path, "Name,Publisher\nElite,Firebird\n"));
    } else if (kind == "empty") {
        QVERIFY(writeFile(path, {}));
    } else if (kind == "dropped") {
        path = catalogueFromScript(dir.path(), "catalogue_current.sql");
        sqliteShell(path, "DROP TABLE Ratings");
    } else if (kind == "noview") {
        path = catalogueFromScript(dir.path(), "catalogue_current.sql");
        sqliteShell(path, "DROP VIEW \"Music Only List\"");
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "readonly") {
        path = catalogueFromScript(dir.path(), "catalogue_current.sql");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    const FileState before = stateOf(path);
    QTest::qWait(20); // a write would show in the modification time
    Catalogue cat;
    const OpenResult r = cat.open(path);
    QCOMPARE(int(r.status), status);
    if (!detail.isEmpty())
        QCOMPARE(r.detail, detail);
    QVERIFY(!cat.isOpen());
    QVERIFY(stateOf(path) == before);
    QVERIFY(!QFileInfo::exists(path + "-journal"));
    const OpenFailureMessage m = openFailureMessage(r, path);
    QCOMPARE(m.title, QStringLiteral("vinTrax"));
    QVERIFY(m.text.contains(path));
    QVERIFY(m.text.contains("has not been changed"));
    if (!detail.isEmpty() && kind != "folder")
        QVERIFY(m.text.contains("'" + detail + "'"));
    if (kind == "readonly")
        QVERIFY(m.text.contains("read-only"));
}

QTEST_GUILESS_MAIN(TestCatalogueOpen)
#include "TestCatalogueOpen.moc"
