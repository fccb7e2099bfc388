// The tune commands in the main window, one wiring case each, with a console player stand-in that logs every
// start: Play Sid, its popup item and the double click; non-stop music (F12) following the selection but not a
// refill; the SID information dialog; the SID file dialog from the Edit menu, the popup and the "Sid Tune:"
// label, its choice stored with the tune flag and the row's colour at once; the player closed before a game
// starts, and at exit only when asked.

#include "ModalHelpers.h"
#include "MusicFixtures.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "browser/GameListModel.h"
#include "data/CatalogueNames.h"
#include "music/SidDialogs.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using namespace windowtest;
using musictest::tunesPlayed;

class TestMusicWindow : public QObject
{
    Q_OBJECT

private slots:
    void playSidPopupAndDoubleClick();
    void nonStopMusicFollowsTheSelection();
    void tuneInformationOpensOnTheGamesTune();
    void editCommandsOpenTheSidFileDialog_data();
    void editCommandsOpenTheSidFileDialog();
    void playerClosedBeforeAGameAndAtExit_data();
    void playerClosedBeforeAGameAndAtExit();
};

namespace {

QMainWindow* startWithPlayer(PlayFixture& f, const QString& game, QVariantMap settings = {})
{
    settings.insert("SidplayWPath", musictest::writeFakePlayer(f.programFile("Sid Player")));
    return f.startOn(game, settings);
}

QString player(PlayFixture& f)
{
    return f.programFile("Sid Player/sidplayfp");
}

QColor rowColour(QWidget* w, const QString& game)
{
    const QAbstractItemModel& model = gameList(w);
    return model.data(model.match(model.index(0, 0), Qt::DisplayRole, game).value(0), Qt::ForegroundRole)
        .value<QColor>();
}

} // namespace

void TestMusicWindow::playSidPopupAndDoubleClick()
{
    PlayFixture f;
    QMainWindow* w = startWithPlayer(f, "Astro Miner", {{"DC", "True"}});
    QVERIFY(w);
    control<QPushButton>(w, "cmdPlayMusic")->click();
    QCOMPARE(musictest::playerRuns(player(f), 1).value(0).arguments,
             QStringList{f.programFile("Demo/Music/bouncing_bytes.sid")});
    QVERIFY(clickGame(w, "Harbour Patrol"));
    action(w, "pmnuSid")->trigger();
    // Each start is logged before the next one closes it.
    QCOMPARE(tunesPlayed(player(f), 2).value(1), "harbour_patrol.sid");
    doubleClickGame(w, "Jungle Jive");
    QCOMPARE(tunesPlayed(player(f), 3).value(2), "bouncing_bytes.sid");
    QVERIFY(!f.started(0) && !f.started(1) && !f.started(2));
    musictest::stopAll(player(f));
}

// F12 plays the current game's tune at once; each game moved to plays its own; a game without a tune and the
// list's refill play nothing; turned off, nothing more plays and the player goes on.
void TestMusicWindow::nonStopMusicFollowsTheSelection()
{
    PlayFixture f;
    QMainWindow* w = startWithPlayer(f, "Astro Miner");
    QVERIFY(w);
    QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_F12);
    QCOMPARE(tunesPlayed(player(f), 1), QStringList{"bouncing_bytes.sid"}); // each start logged before the next
    QVERIFY(clickGame(w, "Harbour Patrol"));
    QCOMPARE(tunesPlayed(player(f), 2).value(1), "harbour_patrol.sid");
    QVERIFY(clickGame(w, "Cavern Crawler"));
    control<QPushButton>(w, "cmdMusicOnly")->click();
    QVERIFY(clickGame(w, "Galactic Garden"));
    QCOMPARE(tunesPlayed(player(f), 3).value(2), "harbour_patrol.sid");
    control<QPushButton>(w, "cmdAll")->click();
    QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_F12);
    QVERIFY(!action(w, "mnuOptionsNSM")->isChecked() && clickGame(w, "Astro Miner"));
    QTest::qWait(200);
    QCOMPARE(musictest::playerRuns(player(f)).size(), 3);
    QVERIFY(musictest::running(musictest::playerRuns(player(f)).last().pid));
    musictest::stopAll(player(f));
}

void TestMusicWindow::tuneInformationOpensOnTheGamesTune()
{
    WindowFixture f;
    QMainWindow* w = f.startOn("Cavern Crawler");
    QVERIFY(w);
    QVERIFY(!action(w, "mnuOptionsSidTuneInfo")->isEnabled()); // no tune
    QVERIFY(clickGame(w, "Harbour Patrol"));
    const QString path = f.programFile("Demo/Music/harbour_patrol.sid");
    QByteArray tune = testsupport::readFile(path);
    QVERIFY(testsupport::writeFile(path, tune.replace(14, 2, QByteArray("\x00\x03", 2)))); // three songs
    QString shown;
    testsupport::whenModal([&shown](QWidget* dialog) {
        shown = dialog->windowTitle() + '|' + dialog->findChild<QLabel*>("lblName")->text();
        auto* songs = dialog->findChild<QComboBox*>("cboTunes");
        songs->setCurrentIndex(songs->count() - 1);
        emit songs->activated(songs->currentIndex());
        dialog->findChild<QPushButton*>("cmdOK")->click();
    });
    action(w, "mnuOptionsSidTuneInfo")->trigger();
    QCOMPARE(shown, QStringLiteral("Sid Tune Information|Harbour Patrol"));
    QCOMPARE(testsupport::readFile(path).mid(16, 2), QByteArray("\x00\x03", 2)); // the last song starts it
}

void TestMusicWindow::editCommandsOpenTheSidFileDialog_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("refusal"); // without a tune folder
    QTest::addColumn<bool>("replays");    // with non-stop music on, the tune plays after the dialog
    QTest::addRow("Edit menu") << "mnuEditMusicFilename" << music::kTuneMenuNeedsMusicPath << true;
    QTest::addRow("popup") << "pmnuEditSidFilename" << music::kTuneMenuNeedsMusicPath << true;
    QTest::addRow("Sid Tune label") << "lblMusicFile" << music::kTuneLabelNeedsMusicPath << false;
}

// "(None)" and OK: no tune, the tune flag cleared, the row drawn as a game file only at once. Another tune then
// chosen is stored, and played when non-stop music is on.
void TestMusicWindow::editCommandsOpenTheSidFileDialog()
{
    QFETCH(QString, command);
    QFETCH(QString, refusal);
    QFETCH(bool, replays);
    PlayFixture f;
    QMainWindow* w = startWithPlayer(f, "Astro Miner");
    QVERIFY(w);
    auto run = [&] {
        if (command.startsWith("lbl"))
            QTest::mouseClick(control<QLabel>(w, "lblMusicFile"), Qt::LeftButton);
        else
            action(w, qPrintable(command))->trigger();
    };
    testsupport::whenModal([](QWidget* dialog) {
        dialog->findChild<QPushButton*>("cmdNone")->click();
        dialog->findChild<QPushButton*>("cmdOK")->click();
    });
    run();
    QCOMPARE(f.sql("SELECT \"Music Filename\", SA, CCode FROM Games WHERE Name = 'Astro Miner'"),
             QStringLiteral("(None)|0|%1").arg(int(catalogue::kBlue)));
    QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(catalogue::kBlue));
    QCOMPARE(labelText(w, "lblMusicFile"), QStringLiteral("(None)"));

    action(w, "mnuOptionsNSM")->trigger(); // nothing to play yet
    testsupport::whenModal([](QWidget* dialog) {
        testsupport::clickLine(dialog->findChild<QListWidget*>("FileBox"), "harbour_patrol.sid");
        dialog->findChild<QPushButton*>("cmdOK")->click();
    });
    run();
    QCOMPARE(f.sql("SELECT \"Music Filename\", SA, CCode FROM Games WHERE Name = 'Astro Miner'").section('|', 0, 1),
             "harbour_patrol.sid|1");
    QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(catalogue::kBlack));
    QCOMPARE(tunesPlayed(player(f), replays), replays ? QStringList{"harbour_patrol.sid"} : QStringList());
    musictest::stopAll(player(f));

    f.state().settings.MusicPath.clear();
    run();
    QCOMPARE(f.messages.texts(), QStringList{refusal});
}

void TestMusicWindow::playerClosedBeforeAGameAndAtExit_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<int>("leaveFlag");
    QTest::addColumn<bool>("closed");
    QTest::addRow("a game starts") << "game" << 0 << true;
    QTest::addRow("exit, shut down") << "exit" << 1 << true;
    QTest::addRow("exit, left playing") << "exit" << 0 << false;
}

void TestMusicWindow::playerClosedBeforeAGameAndAtExit()
{
    QFETCH(QString, then);
    QFETCH(int, leaveFlag);
    QFETCH(bool, closed);
    PlayFixture f;
    QMainWindow* w = startWithPlayer(f, "Astro Miner", {{"LeaveSPRunningFlag", leaveFlag}});
    QVERIFY(w);
    control<QPushButton>(w, "cmdPlayMusic")->click();
    const qint64 pid = musictest::playerRuns(player(f), 1).value(0).pid;
    QVERIFY(musictest::running(pid));
    if (then == "game") {
        control<QPushButton>(w, "cmdRun20Win")->click();
        QVERIFY(!f.waitForStart(2).isEmpty());
    } else {
        f.exit();
    }
    if (closed)
        QTRY_VERIFY(!musictest::running(pid));
    QTest::qWait(closed ? 0 : 600);
    QCOMPARE(musictest::running(pid), !closed);
    musictest::stopAll(player(f));
}

QTEST_MAIN(TestMusicWindow)
#include "TestMusicWindow.moc"
