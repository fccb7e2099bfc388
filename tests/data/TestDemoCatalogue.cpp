// The demo catalogue the build stages is a valid current catalogue: every game's lookups resolvable, the unknown
// publisher at its fixed key, and colour codes and flags that agree with the files named.
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
    void stagedDemoIsAValidCatalogue()
    {
        QTemporaryDir dir; // a copy, so the staged demo stays as the build made it
        const QString copy = dir.filePath("Vintrax.mdb");
        QVERIFY(QFile::copy(stageDir() + "/Vintrax.mdb", copy));
        // Every game's lookups are there: table, key, the games' field.
        const std::tuple<const char*, const char*, const char*> lookups[] = {
            {"Publishers", "PU_Id", "PU_Id"},    {"Musicians", "MU_Id", "MU_Id"},  {"Genres", "GE_Id", "GE_Id"},
            {"Ratings", "RA_Id", "RA_Id"},       {"Difficulty", "DI_Id", "DI_Id"}, {"Players", "PL_Id", "PL_Id"},
            {"Years", "YE_Id", "Year Published"}};
        QCOMPARE(
            sqliteShell(copy,
                        QStringLiteral("SELECT Publisher FROM Publishers WHERE PU_Id = %1").arg(kUnknownPublisherKey)),
            QString(kUnknown));
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
            for (const auto& [table, key, gameField] : lookups) {
                Recordset& lookup = cat.table(table);
                lookup.setIndex(key);
                QVERIFY2(lookup.seek(games.number(gameField)), qPrintable(games.text("Name") + " " + gameField));
            }
        }
        QCOMPARE(colours, QSet<int>({kBlack, kBlue, kRed, kGrey}));
    }
};

QTEST_GUILESS_MAIN(TestDemoCatalogue)
#include "TestDemoCatalogue.moc"
