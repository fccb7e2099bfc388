// The game list of the main window as a user drives it, one case per command: the three view buttons,
// the no-game state, the caption, the type-ahead search and the random pick on the window's clock and
// source, the right-click menu, and the commands of later windows greyed. The rules behind them (captions,
// timing, the pick's scaling, which buttons are enabled) belong to the game list's rule tests. The detail
// panel: what it shows for each demo game (the lookup values and colours read back independently with the
// sqlite3 shell), the screenshot, the menu caption that names the game, and the hover colours of the value
// labels; the panel's texts and rules are the detail panel's own test.
#include "ProcessRunner.h"
#include "WindowFixture.h"
#include "app/CommandHost.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>

using namespace windowtest;

namespace {

// Copies of one demo game under other names, so the list has names that share their first letters.
QString addGamesLike(const WindowFixture& f, const QString& model, const QStringList& names)
{
    QString sql = QStringLiteral("CREATE TEMP TABLE copies AS SELECT * FROM Games WHERE Name = '%1';").arg(model);
    for (const QString& name : names)
        sql += QStringLiteral("UPDATE copies SET Name = '%1'; INSERT INTO Games SELECT * FROM copies;").arg(name);
    return f.editCatalogue(sql);
}

void click(QMainWindow* w, const char* button)
{
    QTest::mouseClick(control<QPushButton>(w, button), Qt::LeftButton);
}

QMenu* openPopup(QMainWindow* w, const QPoint& at)
{
    auto* list = control<QListView>(w, "lstGames");
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
    return w->findChild<QMenu*>(QStringLiteral("pmnu"));
}

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

class TestMainWindowList : public QObject
{
    Q_OBJECT

private slots:
    void viewButtonsFillTheirViews();
    void emptyViewShowsNoGame();
    void typeAheadAndRandomPickKeepTheSelectionInSight();
    void rightClickMenuAndCommandsNoSubsystemInstalled();
    void lookupValuesLegendAndCaptionsMatchTheCatalogue();
    void screenshotOrNoScreenshotPicture();
    void onlyLabelsThatActLookClickable();
};

void TestMainWindowList::viewButtonsFillTheirViews()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("vintrax  -  14 game(s) in total"));
    QVERIFY(!control<QPushButton>(w, "cmdAll")->isEnabled());
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    const struct
    {
        const char* button;
        const char* caption;
        int rows;
        const char* title;
    } steps[] = {
        {"cmdGamesOnly", "PLAYABLE GAMES", 9, "vintrax  -  9 playable game(s)"},
        {"cmdMusicOnly", "GAMES WITH SID TUNES", 7, "vintrax  -  7 game(s) with Sid Tunes"},
        {"cmdAll", "ALL GAMES IN DATABASE", 14, "vintrax  -  14 game(s) in total"},
    };
    for (const auto& step : steps) {
        click(w, step.button);
        for (const char* button : {"cmdAll", "cmdGamesOnly", "cmdMusicOnly"})
            QCOMPARE(control<QPushButton>(w, button)->isEnabled(), qstrcmp(button, step.button) != 0);
        // Astro Miner has both files: it stays selected in every view, and the list keeps the focus.
        QCOMPARE((QStringList{labelText(w, "lblWhatView"), QString::number(gameList(w).rowCount()), w->windowTitle(),
                              selectedGame(w)}),
                 (QStringList{step.caption, QString::number(step.rows), step.title, "Astro Miner"}));
        QVERIFY(control<QListView>(w, "lstGames")->hasFocus() && !control<QWidget>(w, "pbFill")->isVisible());
    }
    QCOMPARE(f.messages.count(), 0);
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("WhatListBox")).toInt(), 0);
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Astro Miner"));
}

void TestMainWindowList::emptyViewShowsNoGame()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QCOMPARE(f.editCatalogue(QStringLiteral("UPDATE Games SET SA = 0;")), QString());
    f.presetSettings({{QStringLiteral("CCS64Path"), QStringLiteral("/bin/true")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    QVERIFY(control<QPushButton>(w, "cmdRunGame")->isEnabled());

    click(w, "cmdMusicOnly");
    QCOMPARE(gameList(w).rowCount(), 0);
    for (const QString& name : detailValueLabels())
        QVERIFY2(!w->findChild<QLabel*>(name)->isVisible(), qPrintable(name));
    QVERIFY(!control<QWidget>(w, "picScroller")->isVisible());
    QCOMPARE(labelText(w, "lblGN"), QString());
    // The frame keeps the built-in no-screenshot picture rather than going blank.
    QCOMPARE(control<QLabel>(w, "imgScreenShot")->pixmap().toImage(),
             control<QLabel>(w, "imgNoSS")->pixmap().toImage());
    QVERIFY(!control<QPushButton>(w, "cmdRunGame")->isEnabled() && !action(w, "mnuEdit")->isEnabled());
    QVERIFY(!control<QLabel>(w, "lblKey1")->font().underline());
    // The random pick and typing on nothing pick nothing.
    click(w, "cmdRandom");
    QTest::keyClicks(control<QListView>(w, "lstGames"), QStringLiteral("as"));
    QCOMPARE(selectedGame(w), QString());

    // Back in a view with rows: nothing was selected in the empty one, so the first row is.
    click(w, "cmdAll");
    QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));
    QVERIFY(control<QLabel>(w, "lblName")->isVisible() && control<QLabel>(w, "lblKey1")->font().underline());
    QVERIFY(control<QPushButton>(w, "cmdRunGame")->isEnabled() && action(w, "mnuEdit")->isEnabled());
}

void TestMainWindowList::typeAheadAndRandomPickKeepTheSelectionInSight()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QStringList more{QStringLiteral("Bubble Bobble"), QStringLiteral("Uridium")};
    for (int i = 1; i <= 30; ++i)
        more.append(QStringLiteral("Zzap Pick %1").arg(i, 2, 10, QLatin1Char('0')));
    QCOMPARE(addGamesLike(f, QStringLiteral("Cavern Crawler"), more), QString());
    f.presetSettings(
        {{QStringLiteral("CurrentGame"), QStringLiteral("Zzap Pick 30")}, {QStringLiteral("TitleBar"), 1}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    auto* list = control<QListView>(w, "lstGames");
    auto inSight = [&] { return list->viewport()->rect().contains(list->visualRect(list->currentIndex())); };
    QVERIFY(list->verticalScrollBar()->isVisible());
    // The saved game at the bottom is scrolled to at start, and named in the caption.
    QCOMPARE(selectedGame(w), QStringLiteral("Zzap Pick 30"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Zzap Pick 30"));
    QVERIFY(inSight());

    // Typed letters on the window's clock (the timing rules are the type-ahead's test): a prefix, then a
    // fresh search after a pause.
    quint32 now = 50000;
    f.clock = [&now] { return now; };
    for (const auto& [at, key, game] :
         {std::tuple{55000u, 'b', "Bouncing Bytes"}, {56000u, 'u', "Bubble Bobble"}, {58001u, 'u', "Uridium"}}) {
        now = at;
        QTest::keyClick(list, key);
        QCOMPARE(selectedGame(w), QString::fromLatin1(game));
        QCOMPARE(labelText(w, "lblName"), QString::fromLatin1(game));
        QCOMPARE(w->windowTitle(), QString::fromLatin1(game));
    }

    // The random pick scales the window's source to a row and selects it: 0.75 of 46 rows is row 34.
    int draws = 0;
    f.random = [&draws] {
        ++draws;
        return 0.75;
    };
    click(w, "cmdRandom");
    QCOMPARE(draws, 1);
    QCOMPARE(selectedGame(w), gameText(w, 34));
    QVERIFY(inSight());
    QVERIFY(list->hasFocus());
}

void TestMainWindowList::rightClickMenuAndCommandsNoSubsystemInstalled()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("CCS64Path"), QStringLiteral("/bin/true")},
                      {QStringLiteral("DirectXPath"), QStringLiteral("/bin/true")},
                      {QStringLiteral("SidplayWPath"), QStringLiteral("/bin/true")},
                      {QStringLiteral("CurrentGame"), QStringLiteral("Astro Miner")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    auto* list = control<QListView>(w, "lstGames");

    // A right click on another row opens the menu for the selected game (one with every file the panel can
    // offer commands for) and leaves the selection.
    const QPoint other = list->visualRect(gameList(w).index(4, 0)).center();
    QMenu* pmnu = openPopup(w, other);
    QTRY_VERIFY(pmnu->isVisible());
    QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));
    QCOMPARE(action(w, "pmnuPlay")->text(), QStringLiteral("Play Astro Miner (v1.9)"));
    // The play items follow the buttons: no CCS64 v2.0 (Dos) path is set.
    QVERIFY(action(w, "pmnuPlay")->isEnabled() && !action(w, "pmnuPlay2D")->isEnabled());
    pmnu->close();

    // A command no subsystem installed is there to see but greyed: nothing runs when it is chosen. A menu of
    // greyed entries is greyed itself; what this build can do is there to use.
    for (QAction* a : w->findChildren<QAction*>())
        if (!a->menu() && !a->isSeparator() && !a->objectName().isEmpty() && !app::isInstalled(a))
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (!app::isInstalled(b))
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    for (const char* name : {"mnuEditC", "mnuEditName", "mnuOptionsNSM", "pmnuSid", "cmdPlayMusic"})
        QVERIFY2(!app::isInstalled(w->findChild<QObject*>(name)), name);
    QVERIFY(!action(w, "mnuTools")->isEnabled());
    for (const char* name : {"mnuFileExit", "mnuFileOptions", "mnuEditEmulator", "mnuViewGameDetails",
                             "mnuViewScreenshots", "pmnuPlay", "pmnuEditEmulatorSettings", "mnuEdit"})
        QVERIFY2(action(w, name)->isEnabled(), name);

    // The keyboard opens the menu too, at the selected row: the Menu key and Shift+F10.
    QVERIFY(clickGame(w, QStringLiteral("Jungle Jive")));
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
        QTest::keyClick(list, key, modifiers);
        QTRY_VERIFY(pmnu->isVisible());
        QCOMPARE(action(w, "pmnuPlay")->text(), QStringLiteral("Play Jungle Jive (v1.9)"));
        pmnu->close();
    }

    // With nothing selected no menu opens, by mouse or key.
    click(w, "cmdGamesOnly");
    QCOMPARE(selectedGame(w), QString());
    openPopup(w, other);
    QTest::keyClick(list, Qt::Key_Menu);
    QTest::qWait(20);
    QVERIFY(!pmnu->isVisible());
    // Down then selects the first row, not the one after wherever the list's cursor was left.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(selectedGame(w), gameText(w, 0));
}

void TestMainWindowList::lookupValuesLegendAndCaptionsMatchTheCatalogue()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QCOMPARE(addGamesLike(f, QStringLiteral("Cavern Crawler"), {QStringLiteral("Spy & Spy")}), QString());
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

void TestMainWindowList::screenshotOrNoScreenshotPicture()
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

void TestMainWindowList::onlyLabelsThatActLookClickable()
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

QTEST_MAIN(TestMainWindowList)
#include "TestMainWindowList.moc"
