// The game list of the main window as a user drives it: the three view buttons, the selection they
// keep or lose, the no-game state, the window caption, the type-ahead search, the random pick and the
// right-click menu, with the commands of later windows still greyed out.
#include "WindowFixture.h"
#include "app/CommandHost.h"
#include <QMainWindow>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <memory>

using windowtest::action;
using windowtest::clickGame;
using windowtest::control;
using windowtest::gameList;
using windowtest::gameText;
using windowtest::scroller;
using windowtest::selectedGame;
using windowtest::WindowFixture;

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

// Every menu item, popup item and button of the window (sub-menus and separators aside).
QList<QObject*> allCommands(QMainWindow* w)
{
    QList<QObject*> found;
    for (QAction* a : w->findChildren<QAction*>())
        if (!a->menu() && !a->isSeparator() && !a->objectName().isEmpty())
            found.append(a);
    for (QPushButton* b : w->findChildren<QPushButton*>())
        found.append(b);
    return found;
}

bool isEnabled(QObject* command)
{
    if (auto* a = qobject_cast<QAction*>(command))
        return a->isEnabled();
    return qobject_cast<QWidget*>(command)->isEnabled();
}

} // namespace

class TestMainWindowList : public QObject
{
    Q_OBJECT

private slots:
    void viewButtonsFillTheirViews();
    void gameWithoutFileIsLostInPlayableViewAndFoundAgain();
    void emptyViewShowsNoGame();
    void emptyCatalogueStartsWithNoGame();
    void captionFollowsTitleBarSetting();
    void typeAheadBuildsPrefixWithinTwoSeconds();
    void typeAheadAcrossTickCounterWrap();
    void randomPickSelectsScaledRow();
    void playButtonsNeedFileEmulatorAndGamesPath_data();
    void playButtonsNeedFileEmulatorAndGamesPath();
    void longListKeepsTheSelectionInSight();
    void rightClickMenuNamesTheSelectedGame();
    void commandsNoSubsystemInstalledStayDisabled();
};

void TestMainWindowList::viewButtonsFillTheirViews()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("vintrax  -  14 game(s) in total"));
    QCOMPARE(control<QLabel>(w, "lblWhatView")->text(), QStringLiteral("ALL GAMES IN DATABASE"));
    QVERIFY(!control<QPushButton>(w, "cmdAll")->isEnabled());
    QVERIFY(windowtest::clickGame(w, QStringLiteral("Astro Miner")));

    struct Step
    {
        const char* button;
        const char* caption;
        int rows;
        const char* title;
    };
    const Step steps[] = {
        {"cmdGamesOnly", "PLAYABLE GAMES", 9, "vintrax  -  9 playable game(s)"},
        {"cmdMusicOnly", "GAMES WITH SID TUNES", 7, "vintrax  -  7 game(s) with Sid Tunes"},
        {"cmdAll", "ALL GAMES IN DATABASE", 14, "vintrax  -  14 game(s) in total"},
    };
    for (const Step& step : steps) {
        click(w, step.button);
        for (const char* button : {"cmdAll", "cmdGamesOnly", "cmdMusicOnly"})
            QCOMPARE(control<QPushButton>(w, button)->isEnabled(), qstrcmp(button, step.button) != 0);
        QCOMPARE(control<QLabel>(w, "lblWhatView")->text(), QString::fromLatin1(step.caption));
        QCOMPARE(gameList(w).rowCount(), step.rows);
        QCOMPARE(w->windowTitle(), QString::fromLatin1(step.title));
        // Astro Miner has both files: it stays selected in every view, and the list keeps the focus.
        QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));
        QVERIFY(control<QListView>(w, "lstGames")->isVisible());
        QVERIFY(control<QListView>(w, "lstGames")->hasFocus());
        QVERIFY(!control<QLabel>(w, "lblPleaseWait")->isVisible());
        QVERIFY(!control<QWidget>(w, "pbFill")->isVisible());
    }
    // The rows are drawn in their stored colours: grey for a game with neither file.
    const QAbstractItemModel& model = gameList(w);
    QCOMPARE(model.index(10, 0).data().toString(), QStringLiteral("Kilobyte Knights"));
    QCOMPARE(model.index(10, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0x80, 0x80, 0x80));
    QCOMPARE(model.index(7, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0x80, 0, 0));
    f.exit();
}

void TestMainWindowList::gameWithoutFileIsLostInPlayableViewAndFoundAgain()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(clickGame(w, QStringLiteral("Harbour Patrol")));
    click(w, "cmdGamesOnly");
    QCOMPARE(selectedGame(w), QString());
    QCOMPARE(gameList(w).rowCount(), 9);
    click(w, "cmdMusicOnly");
    QCOMPARE(selectedGame(w), QStringLiteral("Harbour Patrol"));
    click(w, "cmdGamesOnly");
    click(w, "cmdAll");
    QCOMPARE(selectedGame(w), QStringLiteral("Harbour Patrol"));
    QCOMPARE(control<QLabel>(w, "lblName")->text(), QStringLiteral("Harbour Patrol"));
    QCOMPARE(f.messages.count(), 0);
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("WhatListBox")).toInt(), 0);
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Harbour Patrol"));
}

void TestMainWindowList::emptyViewShowsNoGame()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QCOMPARE(f.editCatalogue(QStringLiteral("UPDATE Games SET SA = 0;")), QString());
    f.presetSettings({{QStringLiteral("CCS64Path"), QStringLiteral("/bin/true")},
                      {QStringLiteral("CCS642Path"), QStringLiteral("/bin/true")},
                      {QStringLiteral("DirectXPath"), QStringLiteral("/bin/true")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(clickGame(w, QStringLiteral("Iron Canyon Rally")));
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    QVERIFY(control<QPushButton>(w, "cmdRunGame")->isEnabled());

    click(w, "cmdMusicOnly");
    QCOMPARE(gameList(w).rowCount(), 0);
    QCOMPARE(w->windowTitle(), QStringLiteral("vintrax  -  0 game(s) with Sid Tunes"));
    for (const QString& name : windowtest::detailValueLabels())
        QVERIFY2(!w->findChild<QLabel*>(name)->isVisible(), qPrintable(name));
    QVERIFY(!control<QWidget>(w, "picScroller")->isVisible());
    QCOMPARE(control<QLabel>(w, "lblGN")->text(), QString());
    // The frame keeps the built-in no-screenshot picture rather than going blank.
    QCOMPARE(control<QLabel>(w, "imgScreenShot")->pixmap().toImage(),
             control<QLabel>(w, "imgNoSS")->pixmap().toImage());
    QCOMPARE(control<QLabel>(w, "imgScreenShot")->toolTip(), QString());
    for (const char* name :
         {"cmdRandom", "cmdRunGame", "cmdRun20Dos", "cmdRun20Win", "cmdPlayMusic", "cmdViewDocs", "cmdReport"})
        QVERIFY2(!control<QPushButton>(w, name)->isEnabled(), name);
    for (const char* name : {"mnuEdit", "mnuView", "mnuFileRemove", "mnuOptionsResetTP", "mnuOptionsPaper",
                             "mnuOptionsSidTuneInfo", "mnuFileReports"})
        QVERIFY2(!action(w, name)->isEnabled(), name);
    for (const char* name : {"lblKey1", "lblKey2", "lblKey3", "lblKey4"})
        QVERIFY2(!control<QLabel>(w, name)->font().underline(), name);
    // The view buttons stay usable, and the random pick on nothing picks nothing.
    QVERIFY(control<QPushButton>(w, "cmdAll")->isEnabled());
    click(w, "cmdRandom");
    QCOMPARE(selectedGame(w), QString());

    // Back in a view with rows: nothing was selected in the empty one, so the first row is.
    click(w, "cmdAll");
    QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));
    for (const QString& name : windowtest::detailValueLabels())
        QVERIFY2(w->findChild<QLabel*>(name)->isVisible(), qPrintable(name));
    QVERIFY(control<QPushButton>(w, "cmdRandom")->isEnabled());
    QVERIFY(control<QPushButton>(w, "cmdRunGame")->isEnabled());
    QVERIFY(action(w, "mnuEdit")->isEnabled());
    QVERIFY(action(w, "mnuView")->isEnabled());
    QVERIFY(control<QLabel>(w, "lblKey1")->font().underline());
    f.exit();
}

void TestMainWindowList::emptyCatalogueStartsWithNoGame()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QCOMPARE(f.editCatalogue(QStringLiteral("DELETE FROM Games;")), QString());
    f.presetSettings({{QStringLiteral("TitleBar"), 1}, {QStringLiteral("CurrentGame"), QStringLiteral("Astro Miner")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(f.messages.count(), 0);
    QCOMPARE(w->windowTitle(), QStringLiteral("No game selected"));
    QVERIFY(!control<QLabel>(w, "lblName")->isVisible());
    QVERIFY(!control<QPushButton>(w, "cmdRandom")->isEnabled());
    QVERIFY(!action(w, "mnuEdit")->isEnabled());
    QCOMPARE(control<QPushButton>(w, "cmdRunGame")->toolTip(), QStringLiteral("Play the currently selected game"));
    // Typing into the empty list finds nothing and changes nothing.
    QTest::keyClicks(control<QListView>(w, "lstGames"), QStringLiteral("as"));
    QCOMPARE(selectedGame(w), QString());
    // The emulator settings' key works on the shown game only: with none, no dialog opens. (A dialog
    // that opened would hold up the key click; the timer closes it and tells.)
    auto opened = std::make_shared<bool>(false);
    QTimer::singleShot(50, [opened] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            *opened = true;
            dialog->close();
        }
    });
    QTest::keyClick(w, Qt::Key_F9);
    QVERIFY(!*opened);
    click(w, "cmdGamesOnly");
    QCOMPARE(w->windowTitle(), QStringLiteral("No game selected"));
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Astro Miner"));
}

void TestMainWindowList::captionFollowsTitleBarSetting()
{
    {
        WindowFixture f;
        QVERIFY(f.isValid());
        f.presetSettings(
            {{QStringLiteral("TitleBar"), 1}, {QStringLiteral("CurrentGame"), QStringLiteral("Nibble Nights")}});
        QMainWindow* w = f.start();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Nibble Nights"));
        QVERIFY(clickGame(w, QStringLiteral("Dragon's Keep, The")));
        QCOMPARE(w->windowTitle(), QStringLiteral("Dragon's Keep, The"));
        QVERIFY(clickGame(w, QStringLiteral("Cavern Crawler")));
        QCOMPARE(w->windowTitle(), QStringLiteral("Cavern Crawler"));
        // Cavern Crawler has no tune: the tune view has no selected game to name.
        click(w, "cmdMusicOnly");
        QCOMPARE(w->windowTitle(), QStringLiteral("No game selected"));
        f.exit();
    }
    {
        WindowFixture f;
        QVERIFY(f.isValid());
        f.presetSettings(
            {{QStringLiteral("TitleBar"), 2}, {QStringLiteral("TitleBarText"), QStringLiteral("My C64 shelf")}});
        QMainWindow* w = f.start();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("My C64 shelf"));
        QVERIFY(clickGame(w, QStringLiteral("Cavern Crawler")));
        click(w, "cmdMusicOnly");
        QCOMPARE(w->windowTitle(), QStringLiteral("My C64 shelf"));
        f.exit();
        QCOMPARE(f.storedValue(QStringLiteral("TitleBarText")).toString(), QStringLiteral("My C64 shelf"));
    }
}

void TestMainWindowList::typeAheadBuildsPrefixWithinTwoSeconds()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QCOMPARE(addGamesLike(f, QStringLiteral("Bouncing Bytes"),
                          {QStringLiteral("Bubble Bobble"), QStringLiteral("Burger Time"), QStringLiteral("Uridium")}),
             QString());
    QMainWindow* w = f.start();
    QVERIFY(w);
    quint32 now = 10000;
    f.clock = ([&now] { return now; });
    auto* list = control<QListView>(w, "lstGames");
    QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));

    auto type = [&](quint32 at, char key) {
        now = at;
        QTest::keyClick(list, key);
    };
    type(12001, 'b'); // more than two seconds after the start: a new search from the top
    QCOMPARE(selectedGame(w), QStringLiteral("Bouncing Bytes"));
    type(13000, 'u'); // "BU" from the selected row on
    QCOMPARE(selectedGame(w), QStringLiteral("Bubble Bobble"));
    type(15000, 'r'); // exactly two seconds after the last match still adds to the text
    QCOMPARE(selectedGame(w), QStringLiteral("Burger Time"));
    type(17001, 'u'); // a longer pause starts again from the top with "U"
    QCOMPARE(selectedGame(w), QStringLiteral("Uridium"));
    QCOMPARE(control<QLabel>(w, "lblName")->text(), QStringLiteral("Uridium"));

    // Without a match the selection stays, and the pause still counts from the last match.
    type(17500, 'x');
    QCOMPARE(selectedGame(w), QStringLiteral("Uridium"));
    type(18500, 'b'); // "UXB": nothing
    QCOMPARE(selectedGame(w), QStringLiteral("Uridium"));
    type(19002, 'b'); // 2001 ms after the match at 17001: "B" from the top
    QCOMPARE(selectedGame(w), QStringLiteral("Bouncing Bytes"));

    // A character outside 32 to 127 is not part of the search; arrow keys still move the list.
    now = 19500;
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9"));
    QApplication::sendEvent(list, &accented);
    type(19600, 'u');
    QCOMPARE(selectedGame(w), QStringLiteral("Bubble Bobble"));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(selectedGame(w), QStringLiteral("Burger Time"));
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Burger Time"));
}

void TestMainWindowList::typeAheadAcrossTickCounterWrap()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QCOMPARE(
        addGamesLike(f, QStringLiteral("Bouncing Bytes"), {QStringLiteral("Bubble Bobble"), QStringLiteral("Uridium")}),
        QString());
    QMainWindow* w = f.start();
    QVERIFY(w);
    quint32 now = 0;
    f.clock = ([&now] { return now; });
    auto* list = control<QListView>(w, "lstGames");
    auto type = [&](quint32 at, char key) {
        now = at;
        QTest::keyClick(list, key);
    };

    // The counter wraps after 2^32 ms (about 49.7 days of uptime).
    type(0xFFFFFE0Cu, 'b'); // 500 ms before the wrap
    QCOMPARE(selectedGame(w), QStringLiteral("Bouncing Bytes"));
    type(1000, 'u'); // 1500 ms later, across the wrap: "BU"
    QCOMPARE(selectedGame(w), QStringLiteral("Bubble Bobble"));

    type(0xFFFFFE0Cu, 'b'); // far from the last match: "B" from the top
    QCOMPARE(selectedGame(w), QStringLiteral("Bouncing Bytes"));
    type(2600, 'u'); // 3100 ms later, across the wrap: "U" from the top
    QCOMPARE(selectedGame(w), QStringLiteral("Uridium"));
    f.exit();
}

void TestMainWindowList::randomPickSelectsScaledRow()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    double r = 0;
    int draws = 0;
    f.random = ([&] {
        ++draws;
        return r;
    });
    const struct
    {
        double r;
        const char* game;
    } picks[] = {{0.5, "Harbour Patrol"}, {0.9999, "Nibble Nights"}, {0.0, "Astro Miner"}, {0.2142, "Cavern Crawler"}};
    for (const auto& pick : picks) {
        r = pick.r;
        click(w, "cmdRandom");
        QCOMPARE(selectedGame(w), QString::fromLatin1(pick.game));
        QCOMPARE(control<QLabel>(w, "lblName")->text(), QString::fromLatin1(pick.game));
        QVERIFY(control<QListView>(w, "lstGames")->hasFocus());
    }
    QCOMPARE(draws, 4);

    click(w, "cmdGamesOnly"); // nine rows: 0.5 gives row 4
    r = 0.5;
    click(w, "cmdRandom");
    QCOMPARE(selectedGame(w), QStringLiteral("Express Courier"));
    f.exit();
}

void TestMainWindowList::playButtonsNeedFileEmulatorAndGamesPath_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("gamesPathKey"); // the one games path that is set, "" for none
    QTest::addColumn<QString>("emulators");    // which of CCS64Path, CCS642Path, DirectXPath are set
    QTest::addColumn<QString>("enabled");      // which of cmdRunGame, cmdRun20Dos, cmdRun20Win are enabled
    auto row = [](const char* name, const char* game, const char* path, const char* emulators, const char* enabled) {
        QTest::newRow(name) << QString::fromLatin1(game) << QString::fromLatin1(path) << QString::fromLatin1(emulators)
                            << QString::fromLatin1(enabled);
    };
    row("all three", "Astro Miner", "GamesPath", "111", "111");
    row("v1.9 only", "Astro Miner", "GamesPath", "100", "100");
    row("v2.0 Win only", "Cavern Crawler", "GamesPath", "001", "001");
    row("fifth games path", "Astro Miner", "GamesPath4", "110", "110");
    row("no games path", "Astro Miner", "", "111", "000");
    row("no game file", "Harbour Patrol", "GamesPath", "111", "000");
}

void TestMainWindowList::playButtonsNeedFileEmulatorAndGamesPath()
{
    QFETCH(QString, game);
    QFETCH(QString, gamesPathKey);
    QFETCH(QString, emulators);
    QFETCH(QString, enabled);
    WindowFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("GamesPath"));
    QVariantMap preset{{QStringLiteral("CurrentGame"), game}};
    if (!gamesPathKey.isEmpty())
        preset.insert(gamesPathKey, f.programFile(QStringLiteral("Demo/Games")));
    const char* const emulatorKeys[] = {"CCS64Path", "CCS642Path", "DirectXPath"};
    for (int i = 0; i < 3; ++i)
        preset.insert(QString::fromLatin1(emulatorKeys[i]),
                      emulators[i] == QLatin1Char('1') ? QStringLiteral("/bin/true") : QString());
    f.presetSettings(preset);
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(selectedGame(w), game);
    const char* const buttons[] = {"cmdRunGame", "cmdRun20Dos", "cmdRun20Win"};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(control<QPushButton>(w, buttons[i])->isEnabled() == (enabled[i] == QLatin1Char('1')), buttons[i]);
    f.exit();
}

void TestMainWindowList::longListKeepsTheSelectionInSight()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QStringList more;
    for (int i = 1; i <= 30; ++i)
        more.append(QStringLiteral("Zzap Pick %1").arg(i, 2, 10, QLatin1Char('0')));
    QCOMPARE(addGamesLike(f, QStringLiteral("Cavern Crawler"), more), QString());
    f.presetSettings({{QStringLiteral("CurrentGame"), QStringLiteral("Zzap Pick 30")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    auto* list = control<QListView>(w, "lstGames");
    auto inSight = [&] { return list->viewport()->rect().contains(list->visualRect(list->currentIndex())); };
    QVERIFY(list->verticalScrollBar()->isVisible());
    // The saved game at the bottom is scrolled to at start...
    QCOMPARE(selectedGame(w), QStringLiteral("Zzap Pick 30"));
    QVERIFY(inSight());
    // ...as is a typed one at the top and a random one further down.
    quint32 now = 50000;
    f.clock = ([&now] { return now; });
    now += 5000;
    QTest::keyClick(list, 'a');
    QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));
    QVERIFY(inSight());
    f.random = ([] { return 0.75; }); // row 33 of 44
    click(w, "cmdRandom");
    QCOMPARE(selectedGame(w), QStringLiteral("Zzap Pick 20"));
    QVERIFY(inSight());
    f.exit();
}

void TestMainWindowList::rightClickMenuNamesTheSelectedGame()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("CCS64Path"), QStringLiteral("/bin/true")},
                      {QStringLiteral("DirectXPath"), QStringLiteral("/bin/true")},
                      {QStringLiteral("CurrentGame"), QStringLiteral("Astro Miner")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    auto* list = control<QListView>(w, "lstGames");
    auto* pmnu = w->findChild<QMenu*>(QStringLiteral("pmnu"));
    QVERIFY(pmnu);

    // A right click on another row opens the menu for the selected game and leaves the selection.
    const QRect other = list->visualRect(gameList(w).index(4, 0));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, other.center());
    QTRY_VERIFY(pmnu->isVisible());
    QCOMPARE(selectedGame(w), QStringLiteral("Astro Miner"));
    QCOMPARE(action(w, "pmnuPlay")->text(), QStringLiteral("Play Astro Miner (v1.9)"));
    QCOMPARE(action(w, "pmnuPlay2D")->text(), QStringLiteral("Play Astro Miner (v2.0 Dos)"));
    QCOMPARE(action(w, "pmnuPlay2W")->text(), QStringLiteral("Play Astro Miner (v2.0 Win32)"));
    QCOMPARE(action(w, "pmnuSid")->text(), QStringLiteral("Play Sid Tune for Astro Miner"));
    QCOMPARE(action(w, "pmnuDocs")->text(), QStringLiteral("View Docs for Astro Miner"));
    QCOMPARE(action(w, "pmnuRemoveGame")->text(), QStringLiteral("Remove Astro Miner"));
    // The play items follow the buttons: no CCS64 v2.0 (Dos) path is set.
    QVERIFY(action(w, "pmnuPlay")->isEnabled());
    QVERIFY(!action(w, "pmnuPlay2D")->isEnabled());
    QVERIFY(action(w, "pmnuPlay2W")->isEnabled());
    pmnu->close();

    // A game without a file cannot be played from the menu either.
    QVERIFY(clickGame(w, QStringLiteral("Jungle Jive")));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualRect(list->currentIndex()).center());
    QTRY_VERIFY(pmnu->isVisible());
    QCOMPARE(action(w, "pmnuPlay")->text(), QStringLiteral("Play Jungle Jive (v1.9)"));
    for (const char* name : {"pmnuPlay", "pmnuPlay2D", "pmnuPlay2W"})
        QVERIFY2(!action(w, name)->isEnabled(), name);
    pmnu->close();

    // The keyboard opens it too, at the selected row: the Menu key and Shift+F10.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
        QTest::keyClick(list, key, modifiers);
        QTRY_VERIFY(pmnu->isVisible());
        QCOMPARE(action(w, "pmnuPlay")->text(), QStringLiteral("Play Jungle Jive (v1.9)"));
        pmnu->close();
    }

    // With nothing selected no menu opens, by mouse or key.
    click(w, "cmdGamesOnly");
    QCOMPARE(selectedGame(w), QString());
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, other.center());
    QTest::keyClick(list, Qt::Key_Menu);
    QTest::qWait(20);
    QVERIFY(!pmnu->isVisible());
    // Down then selects the first row, not the one after wherever the list's cursor was left.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(selectedGame(w), gameText(w, 0));
    f.exit();
}

void TestMainWindowList::commandsNoSubsystemInstalledStayDisabled()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("CCS64Path"), QStringLiteral("/bin/true")},
                      {QStringLiteral("SidplayWPath"), QStringLiteral("/bin/true")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    // A game with every file the panel can offer commands for, in the game-shown state.
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    QVERIFY(action(w, "mnuEdit")->isEnabled());
    auto* list = control<QListView>(w, "lstGames");
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualRect(list->currentIndex()).center());
    auto* pmnu = w->findChild<QMenu*>(QStringLiteral("pmnu"));
    QTRY_VERIFY(pmnu->isVisible());
    pmnu->close();

    // A command no subsystem installed is there to see but greyed: nothing runs when it is chosen.
    for (QObject* c : allCommands(w))
        if (!app::isInstalled(c))
            QVERIFY2(!isEnabled(c), qPrintable(c->objectName() + QStringLiteral(" is enabled")));
    for (const char* name : {"mnuEditC", "mnuEditName", "mnuOptionsNSM", "pmnuSid", "cmdPlayMusic"})
        QVERIFY2(!app::isInstalled(w->findChild<QObject*>(name)), name);
    // A menu of greyed entries is greyed itself.
    QVERIFY(!action(w, "mnuOptionsResetTP")->isEnabled());
    QVERIFY(!action(w, "mnuTools")->isEnabled());
    // What this build can do is there to use.
    for (const char* name : {"mnuFileExit", "mnuFileOptions", "mnuEditEmulator", "mnuViewGameDetails",
                             "mnuViewScreenshots", "pmnuPlay", "pmnuEditEmulatorSettings", "mnuEdit"})
        QVERIFY2(action(w, name)->isEnabled(), name);
    for (const char* name : {"cmdRandom", "cmdAll", "cmdGamesOnly", "cmdMusicOnly", "cmdRunGame", "cmdExit"})
        QCOMPARE(control<QPushButton>(w, name)->isEnabled(), qstrcmp(name, "cmdAll") != 0);
    f.exit();
}

QTEST_MAIN(TestMainWindowList)
#include "TestMainWindowList.moc"
