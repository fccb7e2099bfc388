// Starting games from the main window, one case per command, each reaching a fake emulator through the real
// launcher; which buttons are enabled, the double-click's rule and the command lines are the rule and launch tests'.
#include "CatalogueFixtures.h"
#include "FakeTool.h"
#include "ModalHelpers.h"
#include "WindowFixture.h"
#include "data/Database.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace windowtest;
using namespace testsupport;

namespace {

const QString kAstro = QStringLiteral("Astro Miner");

void click(QWidget* w, const char* button)
{
    QTest::mouseClick(control<QPushButton>(w, button), Qt::LeftButton);
}

} // namespace

class TestMainWindowPlay : public QObject
{
    Q_OBJECT

private slots:
    void eachCommandStartsItsEmulator_data()
    {
        QTest::addColumn<QString>("how"); // a button or "double-click"
        QTest::addColumn<int>("kind");    // the emulator started; for a double-click the default one
        QTest::newRow("v1.9 Dos button") << "cmdRunGame" << 0;
        QTest::newRow("v2.0 Dos button") << "cmdRun20Dos" << 1;
        QTest::newRow("v2.0 Win32 button") << "cmdRun20Win" << 2;
        QTest::newRow("double-click, default v2.0 Win32") << "double-click" << 2;
        QTest::newRow("Enter, default v2.0 Dos") << "Enter" << 1;
    }
    void eachCommandStartsItsEmulator()
    {
        QFETCH(QString, how);
        QFETCH(int, kind);
        PlayFixture f;
        QMainWindow* w = f.startOn(kAstro, {{"View", "True"}, {"TheDefaultEmulatorFlag", kind}, {"DC", "False"}});
        QVERIFY(w);
        QTRY_VERIFY(scroller(w).scrollerVisible());
        if (how == QLatin1String("Enter"))
            QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_Return);
        else if (how == QLatin1String("double-click"))
            doubleClickGame(w, kAstro);
        else
            click(w, qPrintable(how));

        // The emulator of that kind alone starts (its command line is the launch test's), on the game's image.
        QVERIFY(f.waitForStart(kind).join(u' ').contains(f.programFile("Demo/Games/Disks/astrominer.d64")));
        for (int other = 0; other < 3; ++other)
            QCOMPARE(f.started(other), other == kind);
        QCOMPARE(f.messages.texts(), QStringList());
        // The play is counted on the panel; the scrolling comment stops while the game runs, the label shows.
        QTRY_COMPARE(labelText(w, "lblTimesPlayed") + ' ' + labelText(w, "lblLastPlayed"),
                     "1 " + QDate::currentDate().toString("dd-MM-yyyy"));
        QVERIFY(!scroller(w).isRunning() && control<QLabel>(w, "lblComment")->isVisible());
    }
    // From the click until the emulator is known to run, the window shows that a start runs and the play commands
    // rest: a second click or double-click starts nothing. Then the play is counted once. The program ended while
    // a start is still watched: the watch settles after the window and its state are gone, and nothing is told or
    // counted (it used to call the destroyed window).
    void secondPlayWhileAStartRunsStartsNothing_data()
    {
        QTest::addColumn<bool>("end");
        QTest::newRow("second play") << false;
        QTest::newRow("endWhileAStartIsWatched") << true;
    }
    void secondPlayWhileAStartRunsStartsNothing()
    {
        QFETCH(bool, end);
        PlayFixture f;
        QVERIFY(
            testsupport::writeFakeTool(f.emulatorFolder(2), "CCS64DX.EXE", "echo started >> ../starts; exec sleep 5"));
        QMainWindow* w = f.startOn(kAstro);
        QVERIFY(w);
        click(w, "cmdRun20Win");
        QVERIFY(!f.waitForStart(2).isEmpty());
        if (end) {
            f.exit();
            QTest::qWait(2500);
            QCOMPARE(f.messages.count(), 0);
            return;
        }
        QCOMPARE(w->cursor().shape(), Qt::BusyCursor);
        QVERIFY(!control<QPushButton>(w, "cmdRun20Win")->isEnabled() && !action(w, "pmnuPlay2D")->isEnabled());
        click(w, "cmdRun20Win");
        doubleClickGame(w, kAstro);
        QTRY_VERIFY_WITH_TIMEOUT(control<QPushButton>(w, "cmdRun20Win")->isEnabled(), 10000);
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(readFile(f.programFile("Emulators/starts")), QByteArray("started\n"));
        QVERIFY(!f.started(0) && !f.started(1));
        QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("1"));
    }
    void f9OpensTheDialogAndCommandsWithoutARowDoNothing()
    {
        // F9, the Edit entry's shortcut, which works only in the active window, opens the joystick dialog for the
        // selected game (what the dialog does is its own test, what the ports do at the next start the launch
        // test's); OK stores the game's own ports.
        PlayFixture f;
        QMainWindow* w = f.startOn(kAstro);
        QVERIFY(w);
        QString title;
        whenModal([&title](QWidget* dialog) {
            title = dialog->objectName() + u':' + dialog->windowTitle();
            dialog->findChild<QAbstractButton*>(QStringLiteral("chkDefaults"))->click();
            dialog->findChild<QAbstractButton*>(QStringLiteral("cmd1Port1Joy"))->click();
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F9);
        QTRY_COMPARE(title, QStringLiteral("frmControls:Settings for Astro Miner..."));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f.sql("SELECT UseDefault || Port1Joy || Port2Joy || Port1Key || Port2Key || V2Port1Joy || V2Port2Joy "
                       "|| V2Port1Key || V2Port2Key FROM Games WHERE Name = 'Astro Miner'"),
                 QStringLiteral("000021101")); // own ports: the defaults 10021101, port 1 on PC Joystick 1 (0)
        // A game file but no tune: the tune view does not hold Cavern Crawler, and no row is selected there.
        // Reached anyway (a stale shortcut, a menu opened before the switch), each command refuses by itself.
        QVERIFY(clickGame(w, QStringLiteral("Cavern Crawler")));
        click(w, "cmdMusicOnly");
        QCOMPARE(selectedGame(w), QString());
        for (const char* name : {"mnuEditEmulator", "pmnuPlay", "pmnuPlay2D", "pmnuPlay2W"}) {
            QVERIFY2(!action(w, name)->isEnabled(), name);
            action(w, name)->setEnabled(true);
            action(w, name)->trigger();
        }
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QTest::qWaitFor([&f] { return f.started(0) || f.started(1) || f.started(2); }, 500));
        QCOMPARE(f.sql("SELECT SUM(TimesPlayed) FROM Games"), QStringLiteral("0"));
        QCOMPARE(f.messages.count(), 0);
    }
    // A play the catalogue cannot record is told: on a damaged catalogue once a run (the damage was told at the
    // start already), while another program holds it locked at each play. Nothing is counted or written.
    void playNotRecordedIsTold_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("told"); // part of the last message
        QTest::newRow("damaged") << false << "this play is not recorded";
        QTest::newRow("locked") << true << "could not be recorded";
    }
    void playNotRecordedIsTold()
    {
        QFETCH(bool, locked);
        QFETCH(QString, told);
        PlayFixture f;
        const QString file = f.programFile(QStringLiteral("Vintrax.mdb"));
        QVERIFY(locked || damageTablePage(file, QStringLiteral("Music")));
        const QByteArray before = readFile(file);
        QMainWindow* w = f.startOn(kAstro);
        QVERIFY(w);
        QCOMPARE(f.messages.texts(), locked ? QStringList() : QStringList{catalogue::damagedCatalogueMessage(file)});
        // Another program holds the catalogue in a write transaction of its own.
        QProcess holder;
        if (locked) {
            holder.start(QStringLiteral("sqlite3"), {file});
            QVERIFY(holder.waitForStarted());
            holder.write("BEGIN EXCLUSIVE;\nSELECT 'locked';\n");
            QVERIFY(holder.waitForReadyRead(10000));
        }
        for (const int kind : {2, 1}) {
            click(w, kind == 2 ? "cmdRun20Win" : "cmdRun20Dos");
            QVERIFY(!f.waitForStart(kind).isEmpty());
            QTRY_COMPARE(f.messages.count(), locked ? 3 - kind : 2);
            QTRY_VERIFY(control<QPushButton>(w, "cmdRun20Dos")->isEnabled()); // the start is over
        }
        QCOMPARE(f.messages.count(), 2);
        const QString last = f.messages.last().text;
        QVERIFY2(last.contains(told) && (!locked || last.contains("locked")), qPrintable(last));
        QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("0"));
        QVERIFY(locked || readFile(file) == before);
        if (!locked)
            return;
        holder.write("ROLLBACK;\n.quit\n");
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(f.sql("SELECT TimesPlayed FROM Games WHERE Name = 'Astro Miner'"), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestMainWindowPlay)
#include "TestMainWindowPlay.moc"
