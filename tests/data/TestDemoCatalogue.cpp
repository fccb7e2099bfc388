// The demo catalogue the build stages is a valid current catalogue: the unknown lookup rows at their fixed
// keys, every game's lookups resolvable, and colour codes that agree with the files named.
#include "CatalogueFixtures.h"
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
    void stagedDemoIsAValidCatalogue();
};

void TestDemoCatalogue::stagedDemoIsAValidCatalogue()
{
    QTemporaryDir dir; // a copy, so the staged demo stays as the build made it
    const QString copy = dir.filePath("Vintrax.mdb");
    QVERIFY(QFile::copy(stageDir() + "/Vintrax.mdb", copy));
    // table, key, text, the games' field, the unknown row's key
    const std::tuple<const char*, const char*, const char*, const char*, int> lookups[] = {
        {"Publishers", "PU_Id", "Publisher", "PU_Id", kUnknownPublisherKey},
        {"Musicians", "MU_Id", "Name", "MU_Id", kUnknownMusicianKey},
        {"Genres", "GE_Id", "Genre", "GE_Id", kUnknownGenreKey},
        {"Ratings", "RA_Id", "Rating", "RA_Id", kUnknownRatingKey},
        {"Difficulty", "DI_Id", "DIFFICULTY", "DI_Id", kUnknownDifficultyKey},
        {"Players", "PL_Id", "\"Number of Players\"", "PL_Id", kUnknownPlayersKey},
        {"Years", "YE_Id", "Year", "Year Published", 1}};
    for (const auto& [table, key, text, gameField, unknownId] : lookups)
        QCOMPARE(
            sqliteShell(copy, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(text, table, key).arg(unknownId)),
            QLatin1String(table) == "Years" ? QStringLiteral("9999") : QString(kUnknown));

    Catalogue cat;
    QVERIFY(cat.open(copy).ok());
    QCOMPARE(cat.probeLayout(), Layout::Current);
    Recordset& games = cat.games();
    QSet<int> colours;
    for (games.moveFirst(); !games.eof(); games.moveNext()) {
        const QString file = games.text("Filename");
        const QString tune = games.text("Music Filename");
        QCOMPARE(games.number("CCode"), qint64(colourCodeFor(file, tune)));
        QCOMPARE(games.flag("FA"), file != kNone);
        QCOMPARE(games.flag("SA"), tune != kNone);
        colours.insert(int(games.number("CCode")));
        for (const auto& [table, key, text, gameField, unknownId] : lookups) {
            Recordset& lookup = cat.table(table);
            lookup.setIndex(key);
            QVERIFY2(lookup.seek(games.number(gameField)), qPrintable(games.text("Name") + " " + gameField));
        }
    }
    QCOMPARE(colours, QSet<int>({kBlack, kBlue, kRed, kGrey}));
}

QTEST_GUILESS_MAIN(TestDemoCatalogue)
#include "TestDemoCatalogue.moc"
