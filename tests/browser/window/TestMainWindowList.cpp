// The main window as a user drives it, one case per command; the rules behind them (captions, timing, colours,
// lookups, placement) are the list's, panel's and layout's tests.
#include "ProcessRunner.h"
#include "WindowFixture.h"
#include "appstate/CommandHost.h"
#include "browser/gui/ScrollerBox.h"
#include "data/GameStore.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace windowtest;

namespace {

void click(QMainWindow* w, const char* button)
{
    QTest::mouseClick(control<QPushButton>(w, button), Qt::LeftButton);
}

constexpr int kTwipsPerPixel = 15;
constexpr int kMinimumClientHeight = 6300 / kTwipsPerPixel;

ScrollerBox* scrollerBox(QMainWindow* w)
{
    return control<ScrollerBox>(w, "picScroller");
}

} // namespace

class TestMainWindowList : public QObject
{
    Q_OBJECT

private slots:
    void viewButtonsPanelAndRightClickMenu()
    {
        WindowFixture f;
        // Galactic Garden names garden.gif: collections copied from Windows keep other letter cases.
        // The picture is written by ImageMagick, as the emulator's screen dumps end up.
        const QStringList blue{"-size", "320x200", "xc:#0000ff", "GARDEN.GIF"};
        QCOMPARE(testsupport::runOracle("convert", blue, f.programFile("Screenshots")).exitCode, 0);
        QCOMPARE(f.sql(QStringLiteral("UPDATE Games SET Name = 'Spy & Spy' WHERE Name = 'Cavern Crawler'")), QString());
        f.presetSettings({{"CCS64Path", "/bin/true"}, {"DirectXPath", "/bin/true"}, {"SidplayWPath", "/bin/true"}});
        QMainWindow* w = f.start();
        QVERIFY(w && clickGame(w, QStringLiteral("Astro Miner")));
        // Each button: its view's caption, rows and window caption. Astro Miner has both files: it stays selected
        // in every view, and the list keeps the focus.
        for (const QStringList& step :
             {QStringList{"cmdGamesOnly", "PLAYABLE GAMES", "9", "vintrax  -  9 playable game(s)"},
              {"cmdMusicOnly", "GAMES WITH SID TUNES", "7", "vintrax  -  7 game(s) with Sid Tunes"},
              {"cmdAll", "ALL GAMES IN DATABASE", "14", "vintrax  -  14 game(s) in total"}}) {
            click(w, qPrintable(step[0]));
            QCOMPARE((QStringList{step[0], labelText(w, "lblWhatView"), QString::number(gameList(w).rowCount()),
                                  w->windowTitle(), selectedGame(w)}),
                     step + QStringList{"Astro Miner"});
            QVERIFY(!control<QPushButton>(w, qPrintable(step[0]))->isEnabled() &&
                    control<QListView>(w, "lstGames")->hasFocus());
        }
        // The panel and the Edit menu's caption follow the click; an ampersand in a name is a plain character in
        // the menu caption, not an accelerator.
        QVERIFY(clickGame(w, QStringLiteral("Galactic Garden")));
        QCOMPARE(control<QLabel>(w, "imgScreenShot")->pixmap().toImage().pixelColor(160, 100), QColor(0, 0, 255));
        QVERIFY(clickGame(w, QStringLiteral("Spy & Spy")));
        QCOMPARE(labelText(w, "lblName") + '|' + action(w, "mnuEditC")->text(), QStringLiteral("Spy & Spy|Spy && Spy"));
        QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
        auto* list = control<QListView>(w, "lstGames");
        auto* pmnu = w->findChild<QMenu*>(QStringLiteral("pmnu"));

        // A right click on another row opens the menu for the selected game (one with every file the panel can
        // offer commands for) and leaves the selection.
        const QPoint other = list->visualRect(gameList(w).index(4, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, other);
        QTRY_VERIFY(pmnu->isVisible());
        QCOMPARE(selectedGame(w) + '|' + action(w, "pmnuPlay")->text(),
                 QStringLiteral("Astro Miner|Play Astro Miner (v1.9)"));
        pmnu->close();
        // The keyboard opens it too, at the selected row: the Menu key and Shift+F10.
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(list, key, modifiers);
            QTRY_VERIFY(pmnu->isVisible());
            QCOMPARE(action(w, "pmnuPlay")->text(), QStringLiteral("Play Astro Miner (v1.9)"));
            pmnu->close();
        }

        // With nothing selected (Jungle Jive is not among the playable games) no menu opens, by mouse or key.
        QVERIFY(clickGame(w, QStringLiteral("Jungle Jive")));
        click(w, "cmdGamesOnly");
        QCOMPARE(selectedGame(w), QString());
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, other);
        QTest::keyClick(list, Qt::Key_Menu);
        QTest::qWait(20);
        QVERIFY(!pmnu->isVisible());
        // Down then selects the first row, not the one after wherever the list's cursor was left.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(selectedGame(w), gameList(w).index(0, 0).data().toString());
        QCOMPARE(f.messages.count(), 0);
    }
    void layoutCommentAndTheEmptyView()
    {
        WindowFixture f;
        // No game has a tune now, so the tune view is empty.
        QCOMPARE(f.sql(QStringLiteral("UPDATE Games SET SA = 0;")), QString());
        // A stored height below the design height gives the design height, whose client area is the minimum.
        f.presetSettings({{"Heighty", 1000}, {"CurrentGame", "Cavern Crawler"}, {"CCS64Path", "/bin/true"}});
        QMainWindow* w = f.start();
        QVERIFY(w);
        QCOMPARE(w->centralWidget()->height(), kMinimumClientHeight);
        QVERIFY(!control<QWidget>(w, "picKey")->isVisible());
        // Nothing is laid out while the window is minimised, but the layout catches up when it is restored:
        // the button row stays at its distance from the bottom, and the legend shows where it fits.
        w->showMinimized();
        QTRY_VERIFY(w->isMinimized());
        w->resize(w->width(), w->height() + 140);
        QTRY_COMPARE(w->centralWidget()->height(), kMinimumClientHeight + 140);
        QCOMPARE(control<QWidget>(w, "cmdRandom")->y(), kMinimumClientHeight - 2460 / kTwipsPerPixel);
        w->showNormal();
        QTRY_VERIFY(!w->isMinimized());
        QCOMPARE(control<QWidget>(w, "cmdRandom")->y(), kMinimumClientHeight + 140 - 2460 / kTwipsPerPixel);
        QVERIFY(control<QWidget>(w, "picKey")->isVisible());

        // The scrolling comment: a game without one shows the box blank and still; one with a comment moves it.
        QAction* scrolling = action(w, "mnuViewGameDetails");
        scrolling->trigger();
        QVERIFY(scrollerBox(w)->isVisible() && !control<QLabel>(w, "lblComment")->isVisible());
        QVERIFY(scrollerBox(w)->isBlank() && !scroller(w).isRunning());
        QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
        QTRY_VERIFY(!scrollerBox(w)->isBlank());

        // The empty view: no panel, the scroller stopped, the frame keeps the built-in no-screenshot picture, and
        // the random pick picks nothing (the play test sees the game's commands greyed without a row).
        click(w, "cmdMusicOnly");
        QCOMPARE(gameList(w).rowCount(), 0);
        QVERIFY(!control<QWidget>(w, "lblName")->isVisible() && !scrollerBox(w)->isVisible());
        QVERIFY(!scroller(w).isRunning() && labelText(w, "lblGN").isEmpty());
        QCOMPARE(control<QLabel>(w, "imgScreenShot")->pixmap().toImage(),
                 control<QLabel>(w, "imgNoSS")->pixmap().toImage());
        QVERIFY(!control<QLabel>(w, "lblKey1")->font().underline());
        click(w, "cmdRandom");
        QCOMPARE(selectedGame(w), QString());
        // Back in a view with rows: nothing was selected in the empty one, so the first row is.
        click(w, "cmdAll");
        QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));
        QVERIFY(control<QLabel>(w, "lblName")->isVisible() && control<QLabel>(w, "lblKey1")->font().underline());
        QVERIFY(scroller(w).isRunning() && scrollerBox(w)->isVisible());

        // Unchecking puts the comment label back; the screenshot entry widens the list over the band.
        scrolling->trigger();
        QVERIFY(!scroller(w).isRunning() && !scrollerBox(w)->isVisible());
        QVERIFY(control<QLabel>(w, "lblComment")->text().startsWith(QStringLiteral("Mine the asteroid belt")));
        auto* list = control<QListView>(w, "lstGames");
        action(w, "mnuViewScreenshots")->trigger();
        QCOMPARE(list->width(), 9015 / kTwipsPerPixel);
        QVERIFY(!control<QWidget>(w, "imgScreenShot")->isVisible() && list->hasFocus());
    }
    void typeAheadRandomPickAndFollowingTheCatalogue()
    {
        WindowFixture f;
        // 32 copies of one demo game under other names, so the list scrolls.
        QString sql = QStringLiteral("CREATE TEMP TABLE copies AS SELECT * FROM Games WHERE Name = 'Cavern Crawler';");
        for (int i = 1; i <= 32; ++i)
            sql += QStringLiteral("UPDATE copies SET Name = 'Zzap Pick %1'; INSERT INTO Games SELECT * FROM copies;")
                       .arg(i, 2, 10, QLatin1Char('0'));
        QCOMPARE(f.sql(sql), QString());
        f.presetSettings({{"CurrentGame", "Zzap Pick 32"}, {"TitleBar", 1}});
        QMainWindow* w = f.start();
        QVERIFY(w);
        auto* list = control<QListView>(w, "lstGames");
        auto inSight = [&] { return list->viewport()->rect().contains(list->visualRect(list->currentIndex())); };
        // The saved game at the bottom is scrolled to at start, and named in the caption.
        QVERIFY(list->verticalScrollBar()->isVisible() && inSight());
        QCOMPARE(selectedGame(w) + '|' + w->windowTitle(), QStringLiteral("Zzap Pick 32|Zzap Pick 32"));

        // A typed letter on the window's clock selects the first name it starts (the timing is the type-ahead's).
        f.clock = [] { return 55000u; };
        QTest::keyClick(list, 'b');
        QCOMPARE(selectedGame(w) + '|' + labelText(w, "lblName") + '|' + w->windowTitle(),
                 QStringLiteral("Bouncing Bytes|Bouncing Bytes|Bouncing Bytes"));

        // The random pick scales the window's source to a row and selects it: 0.75 of 46 rows is row 34.
        f.random = [] { return 0.75; };
        click(w, "cmdRandom");
        QCOMPARE(selectedGame(w), gameList(w).index(34, 0).data().toString());
        QVERIFY(inSight() && list->hasFocus());

        // The list and the panel follow the catalogue's announcements, one row each, never reading the view again:
        // a game added is selected and shown, a rename moves its row and keeps it selected, a removal selects the
        // row after it.
        QSignalSpy refills(&gameList(w), &QAbstractItemModel::modelReset);
        catalogue::GameStore& store = f.state().gameStore;
        auto shown = [w, list] {
            return QString::number(list->currentIndex().row()) + ' ' + selectedGame(w) + '|' + labelText(w, "lblName") +
                   '|' + w->windowTitle();
        };
        const catalogue::GameStoreResult added = store.addGame({{"Name", "bomb jack"}, {"CCode", 8421504}});
        QVERIFY(added.ok());
        QCOMPARE(shown(), "1 bomb jack|bomb jack|bomb jack");
        QVERIFY(store.renameGame(added.rowid, "Zzap Bomb").ok());
        QCOMPARE(shown(), "14 Zzap Bomb|Zzap Bomb|Zzap Bomb");
        QVERIFY(store.removeGame(added.rowid).ok());
        QCOMPARE(shown(), "14 Zzap Pick 01|Zzap Pick 01|Zzap Pick 01");
        QVERIFY(f.state().currentGame.change({{"Name", "Aardvark Nights"}}));
        QCOMPARE(shown(), "0 Aardvark Nights|Aardvark Nights|Aardvark Nights");
        QCOMPARE(gameList(w).rowCount(), 46);
        QCOMPARE(refills.count(), 0);
        QCOMPARE(f.messages.count(), 0);
    }
    void fileLabelsAndJoysticksNeedTheirPaths()
    {
        WindowFixture f;
        f.presetSettings({{"GamesPath", QString()}, {"MusicPath", QString()}});
        QMainWindow* w = f.start();
        QVERIFY(w && clickGame(w, QStringLiteral("Astro Miner")));
        // A misspelt command or label name stops the installation (and so the program's start) in every build.
        app::CommandHost& host = *f.program().host();
        QVERIFY_THROWS_EXCEPTION(app::UnknownCommand, app::installCommand(host, "mnuEditYaer", app::Acts::Always, {}));
        QVERIFY_THROWS_EXCEPTION(app::UnknownCommand,
                                 app::installLabelClick(host, "lblYaer", app::LabelButton::Left, {}));
        QCOMPARE(control<QWidget>(w, "lblGameFile")->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(control<QLabel>(w, "lblGameFile"), Qt::LeftButton);
        // Without an emulator the joystick dialog is refused as well (with one it opens: the play window test).
        action(w, "mnuEditEmulator")->trigger();
        QCOMPARE(
            f.messages.texts(),
            (QStringList{"To View/Change/Remove a Filename, you must set the 1st Games Path entry in 'Preferences'.",
                         "To Change the Emulator Settings, you must first specify an Emulator in 'Preferences'."}));
    }
};

QTEST_MAIN(TestMainWindowList)
#include "TestMainWindowList.moc"
