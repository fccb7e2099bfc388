// The detail panel of the main window: what it shows for each demo game (the lookup values and colours
// read back independently with the sqlite3 shell), the screenshot, the menu caption that names the game,
// and the hover colours of the value labels. The panel's texts and rules are the detail panel's own test.
#include "WindowFixture.h"
#include <QMainWindow>

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "ProcessRunner.h"

using namespace windowtest;

namespace {

const QColor kDarkBlue(0, 0, 64);
const QColor kDarkGreen(0, 64, 0);

int underlinedLegendEntry(QMainWindow* w)
{
    int entry = 0;
    for (int i = 1; i <= 4; ++i) {
        if (control<QLabel>(w, QStringLiteral("lblKey%1").arg(i).toLatin1().constData())->font().underline()) {
            if (entry != 0)
                return -1; // more than one
            entry = i;
        }
    }
    return entry;
}

QImage shownPicture(QMainWindow* w)
{
    return control<QLabel>(w, "imgScreenShot")->pixmap().toImage();
}

// A 320 by 200 picture in one colour, written by ImageMagick as the emulator's screen dumps end up.
bool makeScreenshot(const QString& path, const QString& colour)
{
    const testsupport::RunResult run = testsupport::runOracle(
        QStringLiteral("convert"),
        {QStringLiteral("-size"), QStringLiteral("320x200"), QStringLiteral("xc:") + colour, path},
        QFileInfo(path).path());
    return run.exitCode == 0 && QFileInfo::exists(path);
}

} // namespace

class TestMainWindowDetails : public QObject
{
    Q_OBJECT

private slots:
    void lookupValuesLegendAndCaptionsMatchTheCatalogue();
    void screenshotOrNoScreenshotPicture();
    void onlyLabelsThatActLookClickable();
};

void TestMainWindowDetails::lookupValuesLegendAndCaptionsMatchTheCatalogue()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QCOMPARE(f.editCatalogue(QStringLiteral("CREATE TEMP TABLE c AS SELECT * FROM Games WHERE Name = 'Cavern Crawler';"
                                            "UPDATE c SET Name = 'Spy & Spy'; INSERT INTO Games SELECT * FROM c;")),
             QString());
    // Each lookup value and colour code as the sqlite3 shell finds them, by the game's key fields.
    const QList<QStringList> expected = f.queryCatalogue(QStringLiteral(
        "SELECT g.Name, p.Publisher, y.Year, m.Name, ge.Genre, r.Rating, d.DIFFICULTY, pl.\"Number of Players\", "
        "g.CCode FROM Games g LEFT JOIN Publishers p ON p.PU_Id = g.PU_Id "
        "LEFT JOIN Years y ON y.YE_Id = g.\"Year Published\" LEFT JOIN Musicians m ON m.MU_Id = g.MU_Id "
        "LEFT JOIN Genres ge ON ge.GE_Id = g.GE_Id LEFT JOIN Ratings r ON r.RA_Id = g.RA_Id "
        "LEFT JOIN Difficulty d ON d.DI_Id = g.DI_Id LEFT JOIN Players pl ON pl.PL_Id = g.PL_Id ORDER BY g.Name"));
    QCOMPARE(expected.size(), 15);
    QMainWindow* w = f.start();
    QVERIFY(w);
    const char* const labels[] = {"lblPublisher", "lblYear",       "lblMusician", "lblGenre",
                                  "lblRating",    "lblDifficulty", "lblPlayers"};
    // The legend entry underlined for each stored colour: black, blue, red, and grey for anything else.
    const QMap<QString, int> entries = {{"0", 1}, {QString::number(0x800000), 2}, {QString::number(0x80), 3}};
    QSet<int> underlinedSeen;
    for (const QStringList& row : expected) {
        QVERIFY2(clickGame(w, row[0]), qPrintable(row[0]));
        for (int i = 0; i < 7; ++i) {
            QString value = row[i + 1];
            if (i == 1 && value == QLatin1String("9999"))
                value = QStringLiteral("(Unknown)"); // the year of an undated game
            QCOMPARE(labelText(w, labels[i]), value);
        }
        QCOMPARE(labelText(w, "lblName"), row[0]);
        QCOMPARE(labelText(w, "lblGN"), row[0]);
        QCOMPARE(underlinedLegendEntry(w), entries.value(row[8], 4));
        underlinedSeen.insert(underlinedLegendEntry(w));
    }
    QCOMPARE(underlinedSeen.size(), 4);

    // The play button's tip and the Edit menu's caption name the game; an ampersand in a name is a plain
    // character in the menu caption, not an accelerator.
    QVERIFY(clickGame(w, QStringLiteral("Dragon's Keep, The")));
    QCOMPARE(control<QPushButton>(w, "cmdRunGame")->toolTip(),
             QStringLiteral("Play 'Dragon's Keep, The' with CCS64 v1.9 (Dos)"));
    QCOMPARE(action(w, "mnuEditC")->text(), QStringLiteral("Dragon's Keep, The"));
    QVERIFY(clickGame(w, QStringLiteral("Spy & Spy")));
    QCOMPARE(action(w, "mnuEditC")->text(), QStringLiteral("Spy && Spy"));
}

void TestMainWindowDetails::screenshotOrNoScreenshotPicture()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // Astro Miner names astrominer.gif, Galactic Garden garden.gif, Nibble Nights nibble.gif. The program
    // folder starts without any of them.
    QVERIFY(makeScreenshot(f.programFile(QStringLiteral("Screenshots/GARDEN.GIF")), QStringLiteral("#0000ff")));
    QVERIFY(testsupport::writeFile(f.programFile(QStringLiteral("Screenshots/nibble.gif")), "GIF89a but not really"));
    f.presetSettings({{QStringLiteral("CurrentGame"), QStringLiteral("Astro Miner")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    const QImage noShot = control<QLabel>(w, "imgNoSS")->pixmap().toImage();
    QVERIFY(!noShot.isNull());
    QCOMPARE(shownPicture(w), noShot); // the file is missing
    QVERIFY(!action(w, "mnuOptionsPaper")->isEnabled());

    QVERIFY(clickGame(w, QStringLiteral("Nibble Nights")));
    QCOMPARE(shownPicture(w), noShot); // a file that is no picture

    // Collections copied from Windows keep other letter cases: GARDEN.GIF serves garden.gif.
    QVERIFY(clickGame(w, QStringLiteral("Galactic Garden")));
    QImage shot = shownPicture(w);
    QCOMPARE(shot.size(), QSize(320, 200));
    QCOMPARE(shot.pixelColor(10, 10), QColor(0, 0, 255));
    QCOMPARE(shot.pixelColor(310, 190), QColor(0, 0, 255));

    // A picture put in place while the program runs shows the next time the game is selected.
    QVERIFY(makeScreenshot(f.programFile(QStringLiteral("Screenshots/astrominer.gif")), QStringLiteral("#ff0000")));
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    shot = shownPicture(w);
    QCOMPARE(shot.pixelColor(160, 100), QColor(255, 0, 0));
    QVERIFY(control<QLabel>(w, "imgScreenShot")->isVisible());
}

void TestMainWindowDetails::onlyLabelsThatActLookClickable()
{
    // Without a games path and a music path the file labels' clicks have something to say; no other
    // label has a click in this build.
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("GamesPath"), QString()}, {QStringLiteral("MusicPath"), QString()}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    auto greenLabels = [&] {
        QStringList green;
        for (const QString& name : detailValueLabels()) {
            const QColor c = w->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
            if (c != kDarkBlue)
                green.append(c == kDarkGreen ? name : name + QStringLiteral(" in another colour"));
        }
        return green;
    };
    auto hand = [&](const char* name) { return control<QWidget>(w, name)->cursor().shape() == Qt::PointingHandCursor; };
    QCOMPARE(greenLabels(), QStringList());
    QVERIFY(hand("lblGameFile") && hand("lblMusicFile"));
    QVERIFY(!hand("lblPublisher") && !hand("imgScreenShot") && !hand("picScroller"));

    // The publisher has no click; the file labels turn green under the pointer and say what they need.
    QTest::mouseMove(control<QLabel>(w, "lblPublisher"));
    QTest::qWait(20);
    QCOMPARE(greenLabels(), QStringList());
    QTest::mouseClick(control<QLabel>(w, "lblPublisher"), Qt::RightButton);
    for (const auto& [label, button] : {std::pair{"lblGameFile", Qt::LeftButton}, {"lblMusicFile", Qt::RightButton}}) {
        QTest::mouseMove(control<QLabel>(w, label));
        QTRY_COMPARE(greenLabels(), QStringList{label});
        QTest::mouseClick(control<QLabel>(w, label), button);
    }
    QCOMPARE(f.messages.texts(),
             (QStringList{"To View/Change/Remove a Filename, you must set the 1st Games Path entry in 'Preferences'.",
                          "To View/Change/Remove a Sid Tune, you must first set the Path for your Sid Tunes in "
                          "'Preferences'."}));
    // Off the labels, onto a button: every label dark blue again.
    QTest::mouseMove(control<QPushButton>(w, "cmdExit"));
    QTRY_COMPARE(greenLabels(), QStringList());
    f.exit();

    // With both folders set the labels have nothing to do yet: no hand, no green, no message.
    WindowFixture set;
    QVERIFY(set.isValid());
    w = set.start();
    QVERIFY(w && clickGame(w, QStringLiteral("Astro Miner")));
    QVERIFY(!hand("lblGameFile") && !hand("lblMusicFile"));
    QTest::mouseMove(control<QLabel>(w, "lblGameFile"));
    QTest::qWait(20);
    QCOMPARE(greenLabels(), QStringList());
    QTest::mouseClick(control<QLabel>(w, "lblGameFile"), Qt::LeftButton);
    QCOMPARE(set.messages.count(), 0);
}

QTEST_MAIN(TestMainWindowDetails)
#include "TestMainWindowDetails.moc"
