#include "CatalogueFixtures.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace testsupport;

class TestDemoCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void unknownLookupRowsSitAtTheirFixedKeys();
    void demoGamesAreConsistentAndCoverEveryColour();
    void generatorNeverOverwritesACatalogue();

private:
    QTemporaryDir m_dir;
    QString m_copy;
};

void TestDemoCatalogue::initTestCase()
{
    // Work on a copy so the staged demo stays as the build made it.
    m_copy = m_dir.filePath("Vintrax.mdb");
    QVERIFY(QFile::copy(stageDir() + "/Vintrax.mdb", m_copy));
}

void TestDemoCatalogue::unknownLookupRowsSitAtTheirFixedKeys()
{
    const struct
    {
        const char* table;
        const char* key;
        const char* text;
        int id;
    } rows[] = {
        {"Publishers", "PU_Id", "Publisher", kUnknownPublisherKey},
        {"Musicians", "MU_Id", "Name", kUnknownMusicianKey},
        {"Genres", "GE_Id", "Genre", kUnknownGenreKey},
        {"Ratings", "RA_Id", "Rating", kUnknownRatingKey},
        {"Difficulty", "DI_Id", "DIFFICULTY", kUnknownDifficultyKey},
        {"Players", "PL_Id", "\"Number of Players\"", kUnknownPlayersKey},
    };
    for (const auto& r : rows) {
        QCOMPARE(sqliteShell(m_copy,
                             QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(r.text, r.table, r.key).arg(r.id)),
                 kUnknown);
        // Real values stand around the unknown row.
        QVERIFY(sqliteShell(m_copy, QStringLiteral("SELECT count(*) FROM %1").arg(r.table)).toInt() > 4);
    }
    QCOMPARE(sqliteShell(m_copy, "SELECT Year FROM Years WHERE YE_Id = 1"), QStringLiteral("9999"));
    QCOMPARE(sqliteShell(m_copy, "SELECT min(Year) FROM Years WHERE YE_Id > 1"), QStringLiteral("1982"));
}

void TestDemoCatalogue::demoGamesAreConsistentAndCoverEveryColour()
{
    Catalogue cat;
    QVERIFY(cat.open(m_copy).ok());
    QCOMPARE(cat.probeLayout(), Layout::Current);
    Recordset& games = cat.games();
    QVERIFY(games.recordCount() >= 10 && games.recordCount() <= 20);
    QSet<int> colours;
    const char* keyed[][2] = {{"PU_Id", "Publishers"}, {"Year Published", "Years"}, {"MU_Id", "Musicians"},
                              {"GE_Id", "Genres"},     {"PL_Id", "Players"},        {"DI_Id", "Difficulty"},
                              {"RA_Id", "Ratings"}};
    const QStringList keyIndexes = {"PU_Id", "YE_Id", "MU_Id", "GE_Id", "PL_Id", "DI_Id", "RA_Id"};
    for (games.moveFirst(); !games.eof(); games.moveNext()) {
        const QString name = games.text("Name");
        const QString file = games.text("Filename");
        const QString tune = games.text("Music Filename");
        QCOMPARE(games.number("CCode"), qint64(colourCodeFor(file, tune)));
        QCOMPARE(games.flag("FA"), file != kNone);
        QCOMPARE(games.flag("SA"), tune != kNone);
        colours.insert(int(games.number("CCode")));
        for (int i = 0; i < 7; ++i) {
            Recordset& lookup = cat.table(keyed[i][1]);
            lookup.setIndex(keyIndexes[i]);
            QVERIFY2(lookup.seek(games.number(keyed[i][0])), qPrintable(name + " " + keyed[i][0]));
        }
    }
    QCOMPARE(colours, QSet<int>({kBlack, kBlue, kRed, kGrey}));
}

void TestDemoCatalogue::generatorNeverOverwritesACatalogue()
{
    const QString path = m_dir.filePath("mine.mdb");
    QVERIFY(writeFile(path, "a user's catalogue"));
    const RunResult r = runProgram(MKDEMODB, {path}, m_dir.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(readFile(path), QByteArray("a user's catalogue"));

    const QString fresh = m_dir.filePath("sub/Vintrax.mdb");
    QVERIFY(QDir().mkpath(m_dir.filePath("sub")));
    QCOMPARE(runProgram(MKDEMODB, {fresh}, m_dir.path()).exitCode, 0);
    Catalogue cat;
    QVERIFY(cat.open(fresh).ok());
    QVERIFY(!QFile::exists(fresh + ".new"));
}

QTEST_GUILESS_MAIN(TestDemoCatalogue)
#include "TestDemoCatalogue.moc"
