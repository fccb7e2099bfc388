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
    const struct
    {
        const char *table, *key, *text, *gameField;
        int unknownId;
    } lookups[] = {
        {"Publishers", "PU_Id", "Publisher", "PU_Id", kUnknownPublisherKey},
        {"Musicians", "MU_Id", "Name", "MU_Id", kUnknownMusicianKey},
        {"Genres", "GE_Id", "Genre", "GE_Id", kUnknownGenreKey},
        {"Ratings", "RA_Id", "Rating", "RA_Id", kUnknownRatingKey},
        {"Difficulty", "DI_Id", "DIFFICULTY", "DI_Id", kUnknownDifficultyKey},
        {"Players", "PL_Id", "\"Number of Players\"", "PL_Id", kUnknownPlayersKey},
        {"Years", "YE_Id", "Year", "Year Published", 1},
    };
    for (const auto& l : lookups) {
        const QString unknown = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(l.text, l.table, l.key);
        QCOMPARE(sqliteShell(copy, unknown.arg(l.unknownId)),
                 QLatin1String(l.table) == "Years" ? QStringLiteral("9999") : QString(kUnknown));
        // Real values stand around the unknown row.
        QVERIFY(sqliteShell(copy, QStringLiteral("SELECT count(*) FROM %1").arg(l.table)).toInt() > 4);
    }
    QCOMPARE(sqliteShell(copy, "SELECT min(Year) FROM Years WHERE YE_Id > 1"), QStringLiteral("1982"));

    Catalogue cat;
    QVERIFY(cat.open(copy).ok());
    QCOMPARE(cat.probeLayout(), Layout::Current);
    Recordset& games = cat.games();
    QVERIFY(games.recordCount() >= 10 && games.recordCount() <= 20);
    QSet<int> colours;
    for (games.moveFirst(); !games.eof(); games.moveNext()) {
        const QString file = games.text("Filename");
        const QString tune = games.text("Music Filename");
        QCOMPARE(games.number("CCode"), qint64(colourCodeFor(file, tune)));
        QCOMPARE(games.flag("FA"), file != kNone);
        QCOMPARE(games.flag("SA"), tune != kNone);
        colours.insert(int(games.number("CCode")));
        for (const auto& l : lookups) {
            Recordset& lookup = cat.table(l.table);
            lookup.setIndex(l.key);
            QVERIFY2(lookup.seek(games.number(l.gameField)), qPrintable(games.text("Name") + " " + l.gameField));
        }
    }
    QCOMPARE(colours, QSet<int>({kBlack, kBlue, kRed, kGrey}));
}

QTEST_GUILESS_MAIN(TestDemoCatalogue)
#include "TestDemoCatalogue.moc"
