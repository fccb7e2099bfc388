// The detail panel from a real catalogue, the main window's layout in twips, its place on the screens and the
// scrolling comment's steps, without a window; the window test applies one row of each.
#include "browser/GameDetails.h"

#include "TestFolders.h"
#include "browser/MainWindowLayout.h"
#include "browser/Scroller.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/Schema.h"
#include "platform/gui/KeepOnScreen.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace browser;
using namespace testsupport;

class TestDetailsAndLayout : public QObject
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
        addGame("Elite");
        QVERIFY(m_cat->db().exec(
            "UPDATE Games SET Filename = 'SPACE\\TRADING\\ELITE.D64', \"Music Filename\" = 'HUBBARD\\Elite.sid', "
            "DocFile = 'DOCS\\ELITE.TXT', Trained = 1, HighScore = 'Elite', \"Personal Comment\" = 'Right on, "
            "Commander!', TimesPlayed = 12, DateLastPlayed = '01-02-2003', GE_Id = 2, PL_Id = 2, DI_Id = 2, RA_Id = 2"
            " WHERE Name = 'Elite'"));
        addGame("Dragon's Lair", {{"PU_Id", 2}, {"Year Published", 3}, {"MU_Id", 2}, {"Filename", "LAIR.T64"}});
        addGame("Sanxion", {{"Year Published", catalogue::kUnknownYearKey}});

        // The other game first, so every lookup record set stands elsewhere before Elite is shown.
        const GameDetails lair = detailsOf("Dragon's Lair");
        QCOMPARE((QStringList{lair.lblPublisher, lair.lblTrainer, lair.cmdRunGameTip}),
                 (QStringList{"Ocean", "(Unknown)", "Play 'Dragon's Lair' with CCS64 v1.9 (Dos)"}));
        const GameDetails d = detailsOf("Elite");
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
        const GameDetails none = ShowGameDetails(*m_cat, *m_current, m_home->file("Screenshots"));
        QVERIFY(!none.hasGame && none.lblName.isEmpty() && !none.mnuOptionsPaperEnabled());
        addGame("Wizball", {{"PU_Id", 2}, {"GE_Id", 2}});
        addGame("Zzap Demo", {{"PU_Id", 999}, {"Year Published", 999}, {"GE_Id", QVariant()}});
        // A failed seek leaves Publishers on Wizball's "Ocean"; that must not leak into the orphan's panel.
        QCOMPARE(detailsOf("Wizball").lblPublisher, QString("Ocean"));
        const GameDetails d = detailsOf("Zzap Demo");
        QCOMPARE((QStringList{d.lblPublisher, d.lblYear, d.lblGenre, d.lblMusician}),
                 (QStringList{"", "", "", "Rob Hubbard"}));
        // The trainer states other than Elite's "Yes" (1) and the unknown 0 of every other game.
        addGame("Uridium", {{"Trained", 2}});
        QCOMPARE(detailsOf("Uridium").lblTrainer, QString("No"));
    }
    void screenshotPresentMissingOrNone_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("onDisk"); // below Screenshots/, "" for nothing
        QTest::addColumn<bool>("shown");
        QTest::newRow("sub-folder, other case") << QString("FIGHT\\Ik.PNG") << QString("fight/IK.png") << true;
        QTest::newRow("named but missing") << QString("IK.png") << QString() << false;
        QTest::newRow("none") << QString("(None)") << QString("(None)") << false;
        QTest::newRow("names a folder") << QString("FIGHT") << QString("FIGHT/IK.png") << false;
    }
    void screenshotPresentMissingOrNone()
    {
        QFETCH(QString, stored);
        QFETCH(QString, onDisk);
        QFETCH(bool, shown);
        const QString file = m_home->file("Screenshots/" + onDisk);
        if (!onDisk.isEmpty())
            QVERIFY(writeFile(file, "a picture")); // read only by the window
        addGame("International Karate", {{"Screenshot Filename", stored}});
        const GameDetails d = detailsOf("International Karate");
        QVERIFY(d.hasScreenshot() == shown && d.mnuOptionsPaperEnabled() == shown);
        // The path names the file as it is on disk, so it loads.
        QCOMPARE(d.screenshotPath, shown ? file : QString());
    }

    void screenshotBandTitleLegendAndResize()
    {
        for (int h : {6300, 7005, 9999}) // the picture stays above the line over the buttons
            QVERIFY(layoutAt(h).control("imgScreenShot").rect.bottom() < h - 2580);
        // At the smallest height the large name and the legend do not fit: both are moved off the window. The
        // legend shows from the height that leaves exactly its own height between the picture and the line.
        QVERIFY(layoutAt(8220).legendVisible() && !layoutAt(8218).legendVisible());
        const MainWindowLayout small = layoutAt(6300);
        QVERIFY(!small.titleVisible() && !small.legendVisible());
        QVERIFY(small.control("lblGN").rect.right() < 0 && small.control("picKey").rect.right() < 0);
        // The name sits just above the picture; the legend halfway between the picture and the line. The narrow
        // list stays clear of the picture.
        const MainWindowLayout tall = layoutAt(9600);
        QVERIFY(tall.titleVisible() && tall.legendVisible() && tall.listWidth() == 4095);
        QVERIFY(tall.control("lstGames").rect.right() < tall.control("imgScreenShot").rect.left());
        const QRect shot = tall.control("imgScreenShot").rect;
        const QRect title = tall.control("lblGN").rect;
        const QRect key = tall.control("picKey").rect;
        QCOMPARE(QPoint(title.left(), title.bottom() + 1), QPoint(shot.left(), shot.top() - 10));
        QCOMPARE(key.left(), shot.left() + 500);
        const int above = key.top() - (shot.top() + shot.height());
        const int below = (9600 - 2580) - (key.top() + key.height());
        QVERIFY(above >= 0 && below >= 0 && qAbs(above - below) <= 1);
        // A window dragged wider is put back to its width, and a client area below the smallest is not laid out
        // (the View entries and a minimised window are the window test's).
        ResizeInput in;
        std::tie(in.loaded, in.clientHeight, in.windowWidth) = std::tuple{true, 6285, in.sizes.fixedWidth + 600};
        const ResizeOutcome out = Form_Resize(in);
        QVERIFY(out.restoreWidth && !out.layout);
    }
    void buttonRowSpansTheWidth()
    {
        // Captions that ask for more than the row holds: every button gives up the same amount, the row still
        // starts and ends at the margins and the buttons never touch.
        std::vector<int> wanted(12, 600);
        wanted[3] = 1800; // "Games with Sid Tunes"
        const auto columns = buttonRowColumns(wanted, 12);
        QCOMPARE(columns.front().first, 120);
        QCOMPARE(columns.back().first + columns.back().second, 9495 - 120);
        for (std::size_t i = 1; i < columns.size(); ++i)
            QVERIFY(columns[i].first > columns[i - 1].first + columns[i - 1].second);
        QVERIFY(qAbs(columns[3].second - columns[0].second - 1200) <= 1);
    }
    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QRect>("placed");
        // Screens 1920 x 1080 and, to its right, 1280 x 1024; the window is 633 wide.
        const int w = 633;
        const auto centredOnFirst = [w](int h) { return QRect((1920 - w) / 2, (1080 - h) / 2, w, h); };
        QTest::newRow("half off the right edge") << QRect(2900, 300, w, 480) << false << QRect(3200 - w, 300, w, 480);
        QTest::newRow("below the bottom, moved up")
            << QRect(100, 900, w, 480) << false << QRect(100, 1080 - 480, w, 480);
        QTest::newRow("garbage position") << QRect(-2000000, 7, w, 480) << false << centredOnFirst(480);
        QTest::newRow("taller than the screen") << QRect(100, 50, w, 5000) << false << QRect(100, 0, w, 1080);
    }
    void windowFitsTheScreen()
    {
        QFETCH(QRect, saved);
        QFETCH(bool, centred);
        QFETCH(QRect, placed);
        const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QCOMPARE(platform::placeWindow(saved, centred, screens), placed);
        QCOMPARE(platform::placeWindow(saved, centred, {}), saved);
    }
    void commentWrapsBackToTheStart()
    {
        Scroller s;
        s.setBoxWidth(100);
        QSignalSpy copies(&s, &Scroller::copyBlock);
        s.StartScroller(QStringLiteral("A comment much wider than the box it scrolls through"), 250);
        for (int step = 0; step < 352; ++step)
            s.tick();
        // One pixel per step from 0 along the strip (box, text, box); the last block copied starts at strip width -
        // box width, when the text's right end has left the box; then back to 0.
        QCOMPARE((QList<int>{copies.at(1).at(0).toInt(), copies.at(350).at(0).toInt(), copies.at(351).at(0).toInt()}),
                 (QList<int>{1, 350, 0}));
    }

private:
    static MainWindowLayout layoutAt(int h, MainWindowView view = {})
    {
        const auto layout = layoutMainWindow(h, view);
        if (!layout)
            qFatal("no layout at %d", h);
        return *layout;
    }
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
        return ShowGameDetails(*m_cat, *m_current, m_home->file("Screenshots"));
    }

    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<catalogue::Catalogue> m_cat;
    std::unique_ptr<catalogue::CurrentGame> m_current;
};

QTEST_MAIN(TestDetailsAndLayout)
#include "TestDetailsAndLayout.moc"
