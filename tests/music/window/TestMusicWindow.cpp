// The tune commands in the main window, one wiring case each, with a player stand-in that logs every start:
// non-stop music, the SID information and file dialogs, Play Sid, and the player closed before a game and at exit.

#include "ModalHelpers.h"
#include "PlayerWindow.h"
#include "browser/GameListModel.h"
#include "data/CatalogueNames.h"
#include "music/SidDialogs.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>

using namespace windowtest;
using musictest::tunesPlayed;

static QColor rowColour(QWidget* w, const QString& game)
{
    const QAbstractItemModel& model = gameList(w);
    return model.data(model.match(model.index(0, 0), Qt::DisplayRole, game).value(0), Qt::ForegroundRole)
        .value<QColor>();
}

class TestMusicWindow : public QObject, public musictest::PlayerWindow
{
    Q_OBJECT

private slots:
    void cleanup() { stop(); }

    // F12 plays the current game's tune at once; each game moved to plays its own; a game without a tune and the
    // list's refill play nothing; turned off, nothing more plays and the player goes on.
    void nonStopMusicFollowsTheSelection()
    {
        QVERIFY(start("Astro Miner"));
        QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_F12);
        QCOMPARE(tunesPlayed(player, 1), "bouncing_bytes.sid");
        QVERIFY(clickGame(w, "Harbour Patrol"));
        QCOMPARE(tunesPlayed(player, 2), "bouncing_bytes.sid harbour_patrol.sid");
        QVERIFY(clickGame(w, "Cavern Crawler"));
        control<QPushButton>(w, "cmdMusicOnly")->click();
        QVERIFY(clickGame(w, "Galactic Garden"));
        QCOMPARE(tunesPlayed(player, 3), "bouncing_bytes.sid harbour_patrol.sid harbour_patrol.sid");
        control<QPushButton>(w, "cmdAll")->click();
        QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_F12);
        QVERIFY(!action(w, "mnuOptionsNSM")->isChecked() && clickGame(w, "Astro Miner"));
        QTest::qWait(200);
        QCOMPARE(musictest::playerRuns(player).size(), 3);
        QVERIFY(musictest::running(musictest::playerRuns(player).last().pid));
    }
    // Off for a game without a tune; on the tune of three songs, the last one chosen starts it.
    void tuneInformationOpensOnTheGamesTune()
    {
        QVERIFY(start("Cavern Crawler") && !action(w, "mnuOptionsSidTuneInfo")->isEnabled() &&
                clickGame(w, "Harbour Patrol"));
        const QString path = f->programFile("Demo/Music/harbour_patrol.sid");
        QVERIFY(testsupport::writeFile(path, testsupport::readFile(path).replace(14, 2, QByteArray("\x00\x03", 2))));
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
        QCOMPARE(testsupport::readFile(path).mid(16, 2), QByteArray("\x00\x03", 2));
    }
    // Edit > Music Filename, "(None)" and OK: no tune, the tune flag cleared, the row drawn as a game file only at
    // once. Another tune then chosen is stored, and played when non-stop music is on; without a tune folder, refused.
    void editCommandOpensTheSidFileDialog()
    {
        QVERIFY(start("Astro Miner"));
        const QString astro = "FROM Games WHERE Name = 'Astro Miner'";
        auto open = [this] { action(w, "mnuEditMusicFilename")->trigger(); };
        auto run = [&](const QString& line) { // "" (None)
            testsupport::whenModal([line](QWidget* dialog) {
                if (line.isEmpty())
                    dialog->findChild<QPushButton*>("cmdNone")->click();
                testsupport::clickLine(dialog->findChild<QListWidget*>("FileBox"), line);
                dialog->findChild<QPushButton*>("cmdOK")->click();
            });
            open();
        };
        run("");
        QCOMPARE(f->sql("SELECT \"Music Filename\", SA, CCode " + astro),
                 QStringLiteral("(None)|0|%1").arg(int(catalogue::kBlue)));
        QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(catalogue::kBlue));
        QCOMPARE(labelText(w, "lblMusicFile"), QStringLiteral("(None)"));
        action(w, "mnuOptionsNSM")->trigger(); // nothing to play yet
        run("harbour_patrol.sid");
        QCOMPARE(f->sql("SELECT \"Music Filename\", SA " + astro), "harbour_patrol.sid|1");
        QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(catalogue::kBlack));
        f->state().settings.MusicPath.clear();
        open();
        QCOMPARE(f->messages.texts(), QStringList{music::kTuneMenuNeedsMusicPath});
        QCOMPARE(tunesPlayed(player, 1), "harbour_patrol.sid");
    }
    void playCommandsAndPlayerClosedBeforeAGameAndAtExit_data()
    {
        QTest::addColumn<bool>("game"); // a game starts, or the program exits
        QTest::addColumn<int>("leaveFlag");
        QTest::addColumn<bool>("closed");
        QTest::addRow("a game starts") << true << 0 << true;
        QTest::addRow("exit, shut down") << false << 1 << true;
        QTest::addRow("exit, left playing") << false << 0 << false;
    }
    // Play Sid, its popup item and the double click each play the game's tune (each start is logged before the
    // next one closes it); then a game's start or the exit closes the player, or leaves it playing.
    void playCommandsAndPlayerClosedBeforeAGameAndAtExit()
    {
        QFETCH(bool, game);
        QFETCH(int, leaveFlag);
        QFETCH(bool, closed);
        QVERIFY(start("Astro Miner", {{"DC", "True"}, {"LeaveSPRunningFlag", leaveFlag}}));
        control<QPushButton>(w, "cmdPlayMusic")->click();
        QCOMPARE(musictest::playerRuns(player, 1).value(0).arguments,
                 QStringList{f->programFile("Demo/Music/bouncing_bytes.sid")});
        QVERIFY(clickGame(w, "Harbour Patrol"));
        action(w, "pmnuSid")->trigger();
        QCOMPARE(tunesPlayed(player, 2), "bouncing_bytes.sid harbour_patrol.sid");
        doubleClickGame(w, "Jungle Jive");
        QCOMPARE(tunesPlayed(player, 3), "bouncing_bytes.sid harbour_patrol.sid bouncing_bytes.sid");
        QVERIFY(!f->started(0) && !f->started(1) && !f->started(2));
        const qint64 pid = musictest::playerRuns(player, 3).last().pid;
        QVERIFY(musictest::running(pid));
        if (game) {
            QVERIFY(clickGame(w, "Astro Miner"));
            control<QPushButton>(w, "cmdRun20Win")->click();
            QVERIFY(!f->waitForStart(2).isEmpty());
        } else {
            f->exit();
        }
        if (closed)
            QTRY_VERIFY(!musictest::running(pid));
        QTest::qWait(closed ? 0 : 600);
        QCOMPARE(musictest::running(pid), !closed);
    }
};

QTEST_MAIN(TestMusicWindow)
#include "TestMusicWindow.moc"
