// The tune commands in the main window, one wiring case each: Play Sid and its popup item, non-stop music (F12)
// following the selection but not a refill, the double click that plays, the SID information dialog, the SID
// file dialog from the Edit menu, the popup and the "Sid Tune:" label (its choice stored and the row recoloured
// at once), and the player closed before a game starts and at exit when asked. The player is a console player
// stand-in that logs every start.

#include "ModalHelpers.h"
#include "MusicFixtures.h"
#include "WindowFixture.h"
#include "browser/GameListModel.h"
#include "data/CatalogueNames.h"
#include "music/SidDialogs.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using namespace windowtest;
using musictest::playerRuns;

class TestMusicWindow : public QObject
{
    Q_OBJECT

private slots:
    void playSidAndPopupPlayTheTune();
    void nonStopMusicFollowsTheSelection();
    void doubleClickPlaysTheTuneWhenAsked();
    void tuneInformationOpensOnTheGamesTune();
    void editCommandsOpenTheSidFileDialog_data();
    void editCommandsOpenTheSidFileDialog();
    void menuRefusesWithoutTuneFolder();
    void gameStartClosesThePlayer();
    void exitClosesThePlayerOnlyWhenAsked_data();
    void exitClosesThePlayerOnlyWhenAsked();
};

namespace {

QVariantMap withPlayer(const QString& player, const QVariantMap& more = {})
{
    QVariantMap settings = more;
    settings.insert(QStringLiteral("SidplayWPath"), player);
    return settings;
}

QStringList tunesPlayed(const QString& player, int count)
{
    QStringList tunes;
    for (const musictest::PlayerRun& run : playerRuns(player, count))
        tunes << QFileInfo(run.arguments.value(0)).fileName();
    return tunes;
}

void stopAll(const QString& player)
{
    for (const musictest::PlayerRun& run : playerRuns(player))
        musictest::stop(run.pid);
}

QColor rowColour(QWidget* w, const QString& game)
{
    const QAbstractItemModel& model = gameList(w);
    const QModelIndexList found = model.match(model.index(0, 0), Qt::DisplayRole, game, 1, Qt::MatchExactly);
    return model.data(found.value(0), Qt::ForegroundRole).value<QColor>();
}

} // namespace

void TestMusicWindow::playSidAndPopupPlayTheTune()
{
    WindowFixture f;
    const QString player = musictest::writeFakePlayer(f.tempFile("Sid Player"));
    QMainWindow* w = f.startOn("Astro Miner", withPlayer(player));
    QVERIFY(w);
    control<QPushButton>(w, "cmdPlayMusic")->click();
    QCOMPARE(playerRuns(player, 1).value(0).arguments, QStringList{f.programFile("Demo/Music/bouncing_bytes.sid")});
    QVERIFY(control<QListView>(w, "lstGames")->hasFocus() || !w->isActiveWindow());
    action(w, "pmnuSid")->trigger();
    QCOMPARE(tunesPlayed(player, 2), QStringList({"bouncing_bytes.sid", "bouncing_bytes.sid"}));
    QVERIFY(!musictest::running(playerRuns(player)[0].pid));
    stopAll(player);
}

// F12 plays the current game's tune at once; each game the user moves to plays its own; a game without a tune
// and the list's refill play nothing; turned off, nothing plays and the player goes on.
void TestMusicWindow::nonStopMusicFollowsTheSelection()
{
    WindowFixture f;
    const QString player = musictest::writeFakePlayer(f.tempFile("Sid Player"));
    QMainWindow* w = f.startOn("Astro Miner", withPlayer(player));
    QVERIFY(w);
    QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_F12);
    QVERIFY(action(w, "mnuOptionsNSM")->isChecked());
    QCOMPARE(tunesPlayed(player, 1), QStringList{"bouncing_bytes.sid"});
    QVERIFY(clickGame(w, "Harbour Patrol"));
    QVERIFY(clickGame(w, "Cavern Crawler")); // no tune
    control<QPushButton>(w, "cmdMusicOnly")->click();
    QVERIFY(clickGame(w, "Galactic Garden"));
    control<QPushButton>(w, "cmdAll")->click(); // refilled with Galactic Garden selected again
    QCOMPARE(tunesPlayed(player, 4), QStringList({"bouncing_bytes.sid", "harbour_patrol.sid", "harbour_patrol.sid"}));
    action(w, "mnuOptionsNSM")->trigger();
    QVERIFY(clickGame(w, "Astro Miner"));
    QTest::qWait(200);
    QCOMPARE(playerRuns(player).size(), 3);
    QVERIFY(musictest::running(playerRuns(player).last().pid));
    stopAll(player);
}

void TestMusicWindow::doubleClickPlaysTheTuneWhenAsked()
{
    WindowFixture f;
    const QString player = musictest::writeFakePlayer(f.tempFile("Sid Player"));
    QMainWindow* w = f.startOn("Jungle Jive", withPlayer(player, {{"DC", "True"}}));
    QVERIFY(w);
    doubleClickGame(w, "Jungle Jive");
    QCOMPARE(tunesPlayed(player, 1), QStringList{"bouncing_bytes.sid"});
    stopAll(player);
}

void TestMusicWindow::tuneInformationOpensOnTheGamesTune()
{
    WindowFixture f;
    QMainWindow* w = f.startOn("Cavern Crawler");
    QVERIFY(w);
    QVERIFY(!action(w, "mnuOptionsSidTuneInfo")->isEnabled()); // no tune
    QVERIFY(clickGame(w, "Harbour Patrol"));
    QString shown;
    testsupport::whenModal([&shown](QWidget* dialog) {
        shown = dialog->windowTitle() + '|' + dialog->findChild<QLabel*>("lblName")->text();
        dialog->findChild<QPushButton*>("cmdCancel")->click();
    });
    action(w, "mnuOptionsSidTuneInfo")->trigger();
    QCOMPARE(shown, QStringLiteral("Sid Tune Information|Harbour Patrol"));
    QCOMPARE(f.state().CurrentTune.SidPath, f.programFile("Demo/Music/harbour_patrol.sid"));
}

void TestMusicWindow::editCommandsOpenTheSidFileDialog_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("replays"); // with non-stop music on, the tune plays again after the dialog
    QTest::addRow("Edit menu") << "mnuEditMusicFilename" << true;
    QTest::addRow("popup") << "pmnuEditSidFilename" << true;
    QTest::addRow("Sid Tune label") << "lblMusicFile" << false;
}

// "(None)" and OK: the game has no tune, its tune flag is cleared and its row is drawn as a game file only at
// once. Choosing the other tune again stores it, and the Edit menu plays it when non-stop music is on.
void TestMusicWindow::editCommandsOpenTheSidFileDialog()
{
    QFETCH(QString, command);
    QFETCH(bool, replays);
    WindowFixture f;
    const QString player = musictest::writeFakePlayer(f.tempFile("Sid Player"));
    QMainWindow* w = f.startOn("Astro Miner", withPlayer(player));
    QVERIFY(w);
    auto run = [&] {
        if (command.startsWith("lbl"))
            QTest::mouseClick(control<QLabel>(w, "lblMusicFile"), Qt::LeftButton);
        else
            action(w, qPrintable(command))->trigger();
    };
    QString caption;
    testsupport::whenModal([&caption](QWidget* dialog) {
        caption = dialog->windowTitle();
        dialog->findChild<QPushButton*>("cmdNone")->click();
        dialog->findChild<QPushButton*>("cmdOK")->click();
    });
    run();
    QCOMPARE(caption, QStringLiteral("Sid Tune for 'Astro Miner'..."));
    QCOMPARE(f.stored("Astro Miner", "Music Filename") + '|' + f.stored("Astro Miner", "SA"), "(None)|0");
    QCOMPARE(f.stored("Astro Miner", "CCode").toInt(), int(catalogue::kBlue));
    QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(catalogue::kBlue));
    QCOMPARE(labelText(w, "lblMusicFile"), QStringLiteral("(None)"));
    QVERIFY(!control<QPushButton>(w, "cmdPlayMusic")->isEnabled());

    action(w, "mnuOptionsNSM")->trigger(); // nothing to play yet
    testsupport::whenModal([](QWidget* dialog) {
        testsupport::clickLine(dialog->findChild<QListWidget*>("FileBox"), "harbour_patrol.sid");
        dialog->findChild<QPushButton*>("cmdOK")->click();
    });
    run();
    QCOMPARE(f.stored("Astro Miner", "Music Filename") + '|' + f.stored("Astro Miner", "SA"), "harbour_patrol.sid|1");
    QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(catalogue::kBlack));
    QCOMPARE(tunesPlayed(player, replays ? 1 : 0), replays ? QStringList{"harbour_patrol.sid"} : QStringList());
    stopAll(player);
}

void TestMusicWindow::menuRefusesWithoutTuneFolder()
{
    WindowFixture f;
    QMainWindow* w = f.startOn("Astro Miner", {{"MusicPath", QString()}});
    QVERIFY(w);
    action(w, "mnuEditMusicFilename")->trigger();
    QCOMPARE(f.messages.texts(), QStringList{music::kTuneMenuNeedsMusicPath});
}

// Starting a game shuts the player this program started first.
void TestMusicWindow::gameStartClosesThePlayer()
{
    PlayFixture f;
    const QString player = musictest::writeFakePlayer(f.tempFile("Sid Player"));
    QMainWindow* w = f.startOn("Astro Miner", withPlayer(player));
    QVERIFY(w);
    control<QPushButton>(w, "cmdPlayMusic")->click();
    const qint64 pid = playerRuns(player, 1).value(0).pid;
    QVERIFY(musictest::running(pid));
    control<QPushButton>(w, "cmdRun20Win")->click();
    QVERIFY(!f.waitForStart(2).isEmpty());
    QTRY_VERIFY(!musictest::running(pid));
}

void TestMusicWindow::exitClosesThePlayerOnlyWhenAsked_data()
{
    QTest::addColumn<int>("leaveFlag");
    QTest::addRow("shut down on exit") << 1;
    QTest::addRow("left playing") << 0;
}

// Left playing, the player plays on after the program is gone, with no terminal and no input of its own.
void TestMusicWindow::exitClosesThePlayerOnlyWhenAsked()
{
    QFETCH(int, leaveFlag);
    WindowFixture f;
    const QString player = musictest::writeFakePlayer(f.tempFile("Sid Player"));
    QMainWindow* w = f.startOn("Astro Miner", withPlayer(player, {{"LeaveSPRunningFlag", leaveFlag}}));
    QVERIFY(w);
    control<QPushButton>(w, "cmdPlayMusic")->click();
    const qint64 pid = playerRuns(player, 1).value(0).pid;
    f.exit();
    if (leaveFlag == 1) {
        QTRY_VERIFY(!musictest::running(pid));
    } else {
        QTest::qWait(600);
        QVERIFY(musictest::running(pid));
        musictest::stop(pid);
    }
}

QTEST_MAIN(TestMusicWindow)
#include "TestMusicWindow.moc"
