#include "browser/GameDetails.h"

#include "TestFolders.h"
#include "browser/GameDetailsLook.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/Schema.h"

#include <QTest>

#include <memory>

using namespace browser;
using namespace testsupport;

// A game row as the tests write it; every field the panel reads.
struct GameRow
{
    QString name;
    qint64 colourCode = catalogue::kBlack;
    QString filename = catalogue::kNone;
    QString music = catalogue::kNone;
    QString screenshot = catalogue::kNone;
    QString docFile = catalogue::kNone;
    QVariant trained = 0;
    QString highScore = catalogue::kNotEntered;
    QString comment = {};
    QVariant timesPlayed = 0;
    QString lastPlayed = catalogue::kNever;
    QVariant publisher = 1;
    QVariant year = 2;
    QVariant musician = 1;
    QVariant genre = 1;
    QVariant players = 1;
    QVariant difficulty = 1;
    QVariant rating = 1;
};

class TestGameDetails : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyLabelComesFromTheCurrentRow();
    void unknownYearReadsUnknown();
    void lookupKeyWithoutRowShowsNothing();
    void legendUnderlinesTheGamesColour_data();
    void legendUnderlinesTheGamesColour();
    void trainedStates_data();
    void trainedStates();
    void screenshotPresentMissingOrNone_data();
    void screenshotPresentMissingOrNone();
    void noCurrentRowGivesAnEmptyPanel();
    void labelColoursAndLegendCaptions();

private:
    void addGame(const GameRow& row);
    GameDetails detailsOf(const QString& name);

    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<catalogue::Catalogue> m_cat;
    std::unique_ptr<catalogue::CurrentGame> m_current;
};

void TestGameDetails::init()
{
    m_home = std::make_unique<TempProgramFolder>();
    const QString path = m_home->file(catalogue::kFileName);
    QString error;
    QVERIFY2(catalogue::createCatalogue(path, &error), qPrintable(error));
    m_cat = std::make_unique<catalogue::Catalogue>();
    QVERIFY(m_cat->open(path).ok());
    m_current = std::make_unique<catalogue::CurrentGame>();
    m_current->open(m_cat->db());

    auto& db = m_cat->db();
    const QStringList lookups = {
        "INSERT INTO Publishers (PU_Id, Publisher) VALUES (1, 'Firebird'), (2, 'Ocean')",
        "INSERT INTO Years (YE_Id, Year) VALUES (1, 9999), (2, 1985), (3, 1987)",
        "INSERT INTO Musicians (MU_Id, Name) VALUES (1, 'Rob Hubbard'), (2, 'Martin Galway')",
        "INSERT INTO Genres (GE_Id, Genre) VALUES (1, 'Shoot''em Up'), (2, 'Platform')",
        "INSERT INTO Players (PL_Id, \"Number of Players\") VALUES (1, '1 Player'), (2, '2 Players')",
        "INSERT INTO Difficulty (DI_Id, DIFFICULTY) VALUES (1, 'Hard'), (2, 'Easy')",
        "INSERT INTO Ratings (RA_Id, Rating) VALUES (1, '10 - Classic'), (2, '5 - Average')",
    };
    for (const QString& sql : lookups)
        QVERIFY2(db.exec(sql, {}, &error), qPrintable(error));
}

void TestGameDetails::cleanup()
{
    m_current.reset();
    m_cat.reset();
    m_home.reset();
}

void TestGameDetails::addGame(const GameRow& r)
{
    QString error;
    const bool ok = m_cat->db().exec(
        "INSERT INTO Games (Name, CCode, Filename, \"Music Filename\", \"Screenshot Filename\", DocFile, Trained, "
        "HighScore, \"Personal Comment\", TimesPlayed, DateLastPlayed, PU_Id, \"Year Published\", MU_Id, GE_Id, "
        "PL_Id, DI_Id, RA_Id, FA, SA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0)",
        {r.name, r.colourCode, r.filename, r.music, r.screenshot, r.docFile, r.trained, r.highScore, r.comment,
         r.timesPlayed, r.lastPlayed, r.publisher, r.year, r.musician, r.genre, r.players, r.difficulty, r.rating},
        &error);
    QVERIFY2(ok, qPrintable(error));
}

GameDetails TestGameDetails::detailsOf(const QString& name)
{
    if (!m_current->selectByName(name))
        qWarning("no game %s", qPrintable(name));
    return ShowGameDetails(*m_cat, *m_current);
}

void TestGameDetails::everyLabelComesFromTheCurrentRow()
{
    addGame({"Elite", catalogue::kBlack, "SPACE\\TRADING\\ELITE.D64", "HUBBARD\\Elite.sid", catalogue::kNone,
             "DOCS\\ELITE.TXT", 1, "Elite", "Right on, Commander!", 12, "01-02-2003", 1, 2, 1, 2, 2, 2, 2});
    GameRow other{"Dragon's Lair"};
    other.publisher = 2;
    other.year = 3;
    other.musician = 2;
    other.filename = "LAIR.T64";
    addGame(other);

    // The other game first, so every lookup record set stands elsewhere before Elite is shown.
    GameDetails lair = detailsOf("Dragon's Lair");
    QCOMPARE(lair.lblPublisher, QString("Ocean"));
    QCOMPARE(lair.lblGameFile, QString("LAIR.T64"));
    QCOMPARE(lair.cmdRunGameTip, QString("Play 'Dragon's Lair' with CCS64 v1.9 (Dos)"));

    const GameDetails d = detailsOf("Elite");
    QVERIFY(d.hasGame);
    // Stored names keep their sub-folders; the panel shows the file's own name only.
    QCOMPARE((QStringList{d.lblName, d.lblGN, d.lblPublisher, d.lblYear, d.lblMusician, d.lblGenre, d.lblRating,
                          d.lblDifficulty, d.lblPlayers, d.lblTrainer, d.lblHighScore, d.lblComment, d.lblGameFile,
                          d.lblMusicFile, d.lblDocFile, d.lblTimesPlayed, d.lblLastPlayed}),
             (QStringList{"Elite", "Elite", "Firebird", "1985", "Rob Hubbard", "Platform", "5 - Average", "Easy",
                          "2 Players", "Yes", "Elite", "Right on, Commander!", "ELITE.D64", "Elite.sid", "ELITE.TXT",
                          "12", "01-02-2003"}));
    QCOMPARE((QStringList{d.cmdRunGameTip, d.cmdRun20DosTip, d.cmdRun20WinTip, d.cmdPlayMusicTip, d.cmdViewDocsTip}),
             (QStringList{"Play 'Elite' with CCS64 v1.9 (Dos)", "Play 'Elite' with CCS64 v2.0 (Dos)",
                          "Play 'Elite' with CCS64 v2.0 (Win32)", "Play Sid Tune for 'Elite'",
                          "View Documentation for 'Elite'"}));

    // Sentinels pass through as stored.
    QCOMPARE(lair.lblDocFile, QString("(None)"));
    QCOMPARE(lair.lblHighScore, QString("(Not Entered)"));
    QCOMPARE(lair.lblLastPlayed, QString("(Never)"));
}

void TestGameDetails::unknownYearReadsUnknown()
{
    GameRow row{"Sanxion"};
    row.year = catalogue::kUnknownYearKey;
    addGame(row);
    QCOMPARE(detailsOf("Sanxion").lblYear, QString("(Unknown)"));
    QCOMPARE(yearText(1987), QString("1987"));
}

void TestGameDetails::lookupKeyWithoutRowShowsNothing()
{
    GameRow known{"Wizball"};
    known.publisher = 2;
    known.genre = 2;
    addGame(known);
    GameRow orphan{"Zzap Demo"};
    orphan.publisher = 999;
    orphan.year = 999;
    orphan.genre = QVariant(); // NULL key
    addGame(orphan);

    // A failed seek leaves Publishers on Wizball's "Ocean"; that must not leak into the orphan's panel.
    QCOMPARE(detailsOf("Wizball").lblPublisher, QString("Ocean"));
    const GameDetails d = detailsOf("Zzap Demo");
    QVERIFY(d.hasGame);
    QCOMPARE(d.lblPublisher, QString());
    QCOMPARE(d.lblYear, QString());
    QCOMPARE(d.lblGenre, QString());
    QCOMPARE(d.lblMusician, QString("Rob Hubbard"));
}

void TestGameDetails::legendUnderlinesTheGamesColour_data()
{
    QTest::addColumn<qint64>("colourCode");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("black") << qint64(catalogue::kBlack) << 1 << "Game File and Sid Tune";
    QTest::newRow("blue") << qint64(catalogue::kBlue) << 2 << "Game File Only";
    QTest::newRow("red") << qint64(catalogue::kRed) << 3 << "Sid Tune Only";
    QTest::newRow("grey") << qint64(catalogue::kGrey) << 4 << "No Game File or Sid Tune";
    QTest::newRow("anything else") << qint64(0x123456) << 4 << "No Game File or Sid Tune";
}

void TestGameDetails::legendUnderlinesTheGamesColour()
{
    QFETCH(qint64, colourCode);
    QFETCH(int, entry);
    QFETCH(QString, caption);
    GameRow row{"Paradroid"};
    row.colourCode = colourCode;
    addGame(row);
    const GameDetails d = detailsOf("Paradroid");
    QCOMPARE(d.legendEntry, entry);
    QCOMPARE(kLegendCaptions.at(d.legendEntry - 1), caption);
}

void TestGameDetails::trainedStates_data()
{
    QTest::addColumn<QVariant>("trained");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << QVariant(0) << "(Unknown)";
    QTest::newRow("1") << QVariant(1) << "Yes";
    QTest::newRow("2") << QVariant(2) << "No";
    QTest::newRow("NULL") << QVariant() << "(Unknown)";
}

void TestGameDetails::trainedStates()
{
    QFETCH(QVariant, trained);
    QFETCH(QString, shown);
    GameRow row{"Uridium"};
    row.trained = trained;
    addGame(row);
    QCOMPARE(detailsOf("Uridium").lblTrainer, shown);
}

void TestGameDetails::screenshotPresentMissingOrNone_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("onDisk"); // below Screenshots/, "" for nothing
    QTest::addColumn<bool>("shown");
    QTest::newRow("present") << "IK.png"
                             << "IK.png" << true;
    QTest::newRow("sub-folder, other case") << "FIGHT\\Ik.PNG"
                                            << "fight/IK.png" << true;
    QTest::newRow("named but missing") << "IK.png"
                                       << "" << false;
    QTest::newRow("none") << "(None)"
                          << "(None)" << false;
    QTest::newRow("empty name") << ""
                                << "" << false;
    QTest::newRow("names a folder") << "FIGHT"
                                    << "FIGHT/IK.png" << false;
}

void TestGameDetails::screenshotPresentMissingOrNone()
{
    QFETCH(QString, stored);
    QFETCH(QString, onDisk);
    QFETCH(bool, shown);
    if (!onDisk.isEmpty()) {
        QImage picture(320, 200, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        const QString file = m_home->file("Screenshots/" + onDisk);
        QVERIFY(writeFile(file, {}));
        QVERIFY(picture.save(file, "PNG"));
    }
    GameRow row{"International Karate"};
    row.screenshot = stored;
    addGame(row);

    const GameDetails d = detailsOf("International Karate");
    QCOMPARE(d.hasScreenshot(), shown);
    QCOMPARE(d.mnuOptionsPaperEnabled(), shown);
    if (shown) {
        // The path names the file as it is on disk, so it loads.
        QCOMPARE(d.screenshotPath, m_home->file("Screenshots/" + onDisk));
        QVERIFY(!QImage(d.screenshotPath).isNull());
    } else {
        QCOMPARE(d.screenshotPath, QString());
    }
}

void TestGameDetails::noCurrentRowGivesAnEmptyPanel()
{
    const GameDetails d = ShowGameDetails(*m_cat, *m_current);
    QVERIFY(!d.hasGame);
    QCOMPARE(d.lblName, QString());
    QVERIFY(!d.mnuOptionsPaperEnabled());
}

void TestGameDetails::labelColoursAndLegendCaptions()
{
    // Dark blue, dark green under the pointer of a label that acts (0x400000 and 0x004000 in Windows BGR).
    QCOMPARE(valueLabelColour(true, false), QColor(0, 64, 0));
    QCOMPARE(valueLabelColour(true, true), QColor(0, 0, 64));
    QCOMPARE(valueLabelColour(false, false), QColor(0, 0, 64));
}

QTEST_GUILESS_MAIN(TestGameDetails)
#include "TestGameDetails.moc"
