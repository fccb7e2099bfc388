// The detail panel's texts from a real catalogue: each label from the current row and its lookups, the
// empty panel, the trainer states, the legend entry and the screenshot found on disk.
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

class TestGameDetails : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<TempProgramFolder>();
        const QString path = m_home->file(catalogue::kFileName);
        QString error;
        QVERIFY2(catalogue::createCatalogue(path, &error), qPrintable(error));
        m_cat = std::make_unique<catalogue::Catalogue>();
        QVERIFY(m_cat->open(path).ok());
        m_current = std::make_unique<catalogue::CurrentGame>();
        m_current->open(m_cat->db());
        for (const char* sql :
             {"INSERT INTO Publishers (PU_Id, Publisher) VALUES (1, 'Firebird'), (2, 'Ocean')",
              "INSERT INTO Years (YE_Id, Year) VALUES (1, 9999), (2, 1985), (3, 1987)",
              "INSERT INTO Musicians (MU_Id, Name) VALUES (1, 'Rob Hubbard'), (2, 'Martin Galway')",
              "INSERT INTO Genres (GE_Id, Genre) VALUES (1, 'Shoot''em Up'), (2, 'Platform')",
              "INSERT INTO Players (PL_Id, \"Number of Players\") VALUES (1, '1 Player'), (2, '2 Players')",
              "INSERT INTO Difficulty (DI_Id, DIFFICULTY) VALUES (1, 'Hard'), (2, 'Easy')",
              "INSERT INTO Ratings (RA_Id, Rating) VALUES (1, '10 - Classic'), (2, '5 - Average')"})
            QVERIFY2(m_cat->db().exec(QString::fromLatin1(sql), {}, &error), qPrintable(error));
    }
    void cleanup() { m_current.reset(), m_cat.reset(), m_home.reset(); }

    void everyLabelComesFromTheCurrentRow()
    {
        addGame("Elite", {{"Filename", "SPACE\\TRADING\\ELITE.D64"},
                          {"Music Filename", "HUBBARD\\Elite.sid"},
                          {"DocFile", "DOCS\\ELITE.TXT"},
                          {"Trained", 1},
                          {"HighScore", "Elite"},
                          {"Personal Comment", "Right on, Commander!"},
                          {"TimesPlayed", 12},
                          {"DateLastPlayed", "01-02-2003"},
                          {"GE_Id", 2},
                          {"PL_Id", 2},
                          {"DI_Id", 2},
                          {"RA_Id", 2}});
        addGame("Dragon's Lair", {{"PU_Id", 2}, {"Year Published", 3}, {"MU_Id", 2}, {"Filename", "LAIR.T64"}});
        addGame("Sanxion", {{"Year Published", catalogue::kUnknownYearKey}});

        // The other game first, so every lookup record set stands elsewhere before Elite is shown. Sentinels pass
        // through as stored.
        const GameDetails lair = detailsOf("Dragon's Lair");
        QCOMPARE((QStringList{lair.lblPublisher, lair.lblGameFile, lair.cmdRunGameTip, lair.lblDocFile,
                              lair.lblHighScore, lair.lblLastPlayed}),
                 (QStringList{"Ocean", "LAIR.T64", "Play 'Dragon's Lair' with CCS64 v1.9 (Dos)", "(None)",
                              "(Not Entered)", "(Never)"}));
        const GameDetails d = detailsOf("Elite");
        QVERIFY(d.hasGame);
        // Stored names keep their sub-folders; the panel shows the file's own name only.
        QCOMPARE((QStringList{d.lblName, d.lblGN, d.lblPublisher, d.lblYear, d.lblMusician, d.lblGenre, d.lblRating,
                              d.lblDifficulty, d.lblPlayers, d.lblTrainer, d.lblHighScore, d.lblComment, d.lblGameFile,
                              d.lblMusicFile, d.lblDocFile, d.lblTimesPlayed, d.lblLastPlayed}),
                 (QStringList{"Elite", "Elite", "Firebird", "1985", "Rob Hubbard", "Platform", "5 - Average", "Easy",
                              "2 Players", "Yes", "Elite", "Right on, Commander!", "ELITE.D64", "Elite.sid",
                              "ELITE.TXT", "12", "01-02-2003"}));
        QCOMPARE(d.cmdPlayMusicTip, QStringLiteral("Play Sid Tune for 'Elite'"));
        QCOMPARE(detailsOf("Sanxion").lblYear, QString("(Unknown)"));
    }
    void lookupKeyWithoutRowShowsNothing()
    {
        // No current row: an empty panel.
        const GameDetails none = ShowGameDetails(*m_cat, *m_current);
        QVERIFY(!none.hasGame && none.lblName.isEmpty() && !none.mnuOptionsPaperEnabled());
        addGame("Wizball", {{"PU_Id", 2}, {"GE_Id", 2}});
        addGame("Zzap Demo", {{"PU_Id", 999}, {"Year Published", 999}, {"GE_Id", QVariant()}});
        // A failed seek leaves Publishers on Wizball's "Ocean"; that must not leak into the orphan's panel.
        QCOMPARE(detailsOf("Wizball").lblPublisher, QString("Ocean"));
        const GameDetails d = detailsOf("Zzap Demo");
        QVERIFY(d.hasGame);
        QCOMPARE((QStringList{d.lblPublisher, d.lblYear, d.lblGenre, d.lblMusician}),
                 (QStringList{"", "", "", "Rob Hubbard"}));
        // The trainer states other than Elite's "Yes" (1).
        QStringList trainer;
        for (const QVariant& trained : {QVariant(0), QVariant(2), QVariant()}) {
            addGame("Uridium " + trained.toString(), {{"Trained", trained}});
            trainer << detailsOf("Uridium " + trained.toString()).lblTrainer;
        }
        QCOMPARE(trainer, (QStringList{"(Unknown)", "No", "(Unknown)"}));
    }
    void legendUnderlinesTheGamesColour()
    {
        // Black, blue and red are the first three entries; any other code the fourth.
        QStringList entries;
        for (qint64 code :
             {qint64(catalogue::kBlack), qint64(catalogue::kBlue), qint64(catalogue::kRed), qint64(0x123456)}) {
            addGame(QStringLiteral("Paradroid %1").arg(code), {{"CCode", code}});
            const int entry = detailsOf(QStringLiteral("Paradroid %1").arg(code)).legendEntry;
            entries << QString::number(entry) + ' ' + kLegendCaptions.value(entry - 1);
        }
        QCOMPARE(entries, (QStringList{"1 Game File and Sid Tune", "2 Game File Only", "3 Sid Tune Only",
                                       "4 No Game File or Sid Tune"}));
    }
    void screenshotPresentMissingOrNone_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("onDisk"); // below Screenshots/, "" for nothing
        QTest::addColumn<bool>("shown");
        QTest::newRow("present") << QString("IK.png") << QString("IK.png") << true;
        QTest::newRow("sub-folder, other case") << QString("FIGHT\\Ik.PNG") << QString("fight/IK.png") << true;
        QTest::newRow("named but missing") << QString("IK.png") << QString() << false;
        QTest::newRow("none") << QString("(None)") << QString("(None)") << false;
        QTest::newRow("empty name") << QString() << QString() << false;
        QTest::newRow("names a folder") << QString("FIGHT") << QString("FIGHT/IK.png") << false;
    }
    void screenshotPresentMissingOrNone()
    {
        QFETCH(QString, stored);
        QFETCH(QString, onDisk);
        QFETCH(bool, shown);
        const QString file = m_home->file("Screenshots/" + onDisk);
        if (!onDisk.isEmpty()) {
            QImage picture(320, 200, QImage::Format_RGB32);
            picture.fill(Qt::blue);
            QVERIFY(writeFile(file, {}) && picture.save(file, "PNG"));
        }
        addGame("International Karate", {{"Screenshot Filename", stored}});
        const GameDetails d = detailsOf("International Karate");
        QVERIFY(d.hasScreenshot() == shown && d.mnuOptionsPaperEnabled() == shown);
        // The path names the file as it is on disk, so it loads.
        QCOMPARE(d.screenshotPath, shown ? file : QString());
    }

private:
    // A game row: these fields over a row with no files, nothing entered and the first lookup of each kind.
    void addGame(const QString& name, const QVariantMap& fields = {})
    {
        QString error;
        QVERIFY2(
            m_cat->db().exec(
                "INSERT INTO Games (Name, CCode, Filename, \"Music Filename\", \"Screenshot Filename\", DocFile, "
                "Trained, HighScore, \"Personal Comment\", TimesPlayed, DateLastPlayed, PU_Id, \"Year Published\", "
                "MU_Id, GE_Id, PL_Id, DI_Id, RA_Id, FA, SA) VALUES (?, 0, '(None)', '(None)', '(None)', '(None)', 0, "
                "'(Not Entered)', '', 0, '(Never)', 1, 2, 1, 1, 1, 1, 1, 0, 0)",
                {name}, &error),
            qPrintable(error));
        for (auto it = fields.cbegin(); it != fields.cend(); ++it)
            QVERIFY2(m_cat->db().exec(QStringLiteral("UPDATE Games SET \"%1\" = ? WHERE Name = ?").arg(it.key()),
                                      {it.value(), name}, &error),
                     qPrintable(error));
    }
    GameDetails detailsOf(const QString& name)
    {
        if (!m_current->selectByName(name))
            qWarning("no game %s", qPrintable(name));
        return ShowGameDetails(*m_cat, *m_current);
    }

    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<catalogue::Catalogue> m_cat;
    std::unique_ptr<catalogue::CurrentGame> m_current;
};

QTEST_GUILESS_MAIN(TestGameDetails)
#include "TestGameDetails.moc"
