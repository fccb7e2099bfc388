// Starting games from the main window as a user does, one case per command: the play buttons, the popup
// menu, a double-click and Enter, each reaching a fake emulator through the real launcher and recording
// the play; the joystick dialog from F9, the Edit menu and the popup; plays the catalogue cannot record.
// Which buttons are enabled, the double-click's rule and the conversions belong to the rule and launch tests.
#include "ArchiveFixtures.h"
#include "CatalogueFixtures.h"
#include "ModalHelpers.h"
#include "WindowFixture.h"
#include "data/Database.h"
#include "launch/PortChoices.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace windowtest;
using namespace testsupport;
using platform::MessageBox;

namespace {

const QString kAstro = QStringLiteral("Astro Miner");
const char* const kPlayButtons[] = {"cmdRunGame", "cmdRun20Dos", "cmdRun20Win"};

void click(QWidget* w, const char* button)
{
    QTest::mouseClick(control<QPushButton>(w, button), Qt::LeftButton);
}

void clickItem(QMenu* menu, QAction* item)
{
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

void pressF9(QMainWindow* w)
{
    // The key is the window's shortcut, which works only in the active window.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F9);
}

// Answers the joystick dialog once it is up: notes its title, lets edit act on it, then presses button.
void whenDialog(QString* title, const char* button, std::function<void(QWidget*)> edit = {})
{
    whenModal([=](QWidget* dialog) {
        *title = dialog->objectName() + u':' + dialog->windowTitle();
        if (edit)
            edit(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
}

void press(QWidget* dialog, const char* name, int times = 1)
{
    for (int i = 0; i < times; ++i)
        dialog->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

} // namespace

class TestMainWindowPlay : public QObject
{
    Q_OBJECT

private slots:
    void eachCommandStartsItsEmulator_data();
    void eachCommandStartsItsEmulator();
    void disabledOrMissingEmulatorStartsNothing();
    void renamedArchiveShowsItsNewName();

    void editMenuPopupAndF9OpenTheDialog();
    void emulatorNeededForTheDialog_data();
    void emulatorNeededForTheDialog();

    void damagedCatalogueIsToldOnce();
    void lockedCatalogueIsToldAtEachPlay();
};

void TestMainWindowPlay::eachCommandStartsItsEmulator_data()
{
    QTest::addColumn<QString>("how"); // a button, a popup item, "double-click" or "Enter"
    QTest::addColumn<int>("kind");    // the emulator started; for a double-click or Enter the default one
    QTest::newRow("v1.9 Dos button") << "cmdRunGame" << 0;
    QTest::newRow("v2.0 Dos button") << "cmdRun20Dos" << 1;
    QTest::newRow("v2.0 Win32 button") << "cmdRun20Win" << 2;
    QTest::newRow("popup item v2.0 Dos") << "pmnuPlay2D" << 1;
    QTest::newRow("double-click, default v2.0 Win32") << "double-click" << 2;
    QTest::newRow("Enter, default v2.0 Dos") << "Enter" << 1;
}

void TestMainWindowPlay::eachCommandStartsItsEmulator()
{
    QFETCH(QString, how);
    QFETCH(int, kind);
    PlayFixture f;
    QVERIFY(f.isValid());
    // The demo games ask for the defaults; these differ from the settings' own defaults.
    QMainWindow* w = f.startOn(kAstro, {{QStringLiteral("DefPort1Joy"), 0},
                                        {QStringLiteral("DXDefPort1Joy"), 0},
                                        {QStringLiteral("View"), QStringLiteral("True")},
                                        {QStringLiteral("TheDefaultEmulatorFlag"), how.startsWith(u'p') ? 0 : kind},
                                        {QStringLiteral("DC"), QStringLiteral("False")}});
    QVERIFY(w);
    QTRY_VERIFY(scroller(w).scrollerVisible());
    if (how == QLatin1String("Enter")) {
        QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_Return);
    } else if (how == QLatin1String("double-click")) {
        doubleClickGame(w, kAstro);
    } else if (how.startsWith(u'p')) {
        auto* pmnu = control<QMenu>(w, "pmnu");
        rightClickGame(w, kAstro);
        QTRY_VERIFY(pmnu->isVisible());
        clickItem(pmnu, action(w, qPrintable(how)));
        QTRY_VERIFY(!pmnu->isVisible());
    } else {
        click(w, qPrintable(how));
    }

    const QString image = f.programFile("Demo/Games/Disks/astrominer.d64");
    QStringList expected = {QFileInfo(f.emulatorFolder(kind)).canonicalFilePath()};
    if (kind == 0) // the emulator's name as it is on disk: no "ccs64.exe" sits beside the extender
        expected << QStringLiteral("CCS64.EXE");
    expected << image + QStringLiteral(",2");
    QCOMPARE(f.waitForStart(kind), expected);
    for (int other = 0; other < 3; ++other)
        QCOMPARE(f.started(other), other == kind);
    QCOMPARE(f.state().LastRunWasWin32, kind == 2);
    // The configuration of that generation was rewritten for the game's ports and the image's folder.
    const QString portLine = kind == 0 ? QStringLiteral("$JOYSTICK1PC=0") : QStringLiteral("$CONTROLPORT1=0");
    QCOMPARE(configLine(f.configPath(kind), portLine.chopped(1)), portLine);
    QCOMPARE(configLine(f.configPath(kind), QStringLiteral("$LOADPATH=")),
             QStringLiteral("$LOADPATH=") + QFileInfo(image).path() + u'/');
    QCOMPARE(f.messages.texts(), QStringList());
    // The scrolling comment stops while the game runs, and the comment label shows.
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(control<QLabel>(w, "lblComment")->isVisible());

    // Each start is counted on the panel and in the catalogue; the sequel on the same disk keeps its own.
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("1"));
    QCOMPARE(labelText(w, "lblLastPlayed"), today());
    click(w, kPlayButtons[kind]);
    QTRY_COMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("2"));
    QCOMPARE(f.stored(kAstro, "TimesPlayed"), QStringLiteral("2"));
    QCOMPARE(f.stored(kAstro, "DateLastPlayed"), today());
    QVERIFY(clickGame(w, QStringLiteral("Moonbase Miner 2")));
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("0"));
    QVERIFY(scroller(w).isRunning()); // choosing a game starts it once more
    QVERIFY(clickGame(w, kAstro));
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("2"));
}

void TestMainWindowPlay::disabledOrMissingEmulatorStartsNothing()
{
    // The v2.0 Win32 emulator's file is gone but its setting is there: the button is offered, the start
    // finds the file missing and changes nothing.
    PlayFixture f;
    QVERIFY(f.isValid());
    const QString gone = QDir(f.emulatorFolder(2)).filePath(QStringLiteral("CCS64DX.EXE"));
    QVERIFY(QFile::remove(gone));
    const QByteArray config = readFile(f.configPath(2));
    QMainWindow* w = f.startOn(kAstro, {{QStringLiteral("CCS642Path"), QString()}});
    QVERIFY(w);
    click(w, "cmdRun20Win");
    QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("FILE NOT FOUND: ") + gone});
    QCOMPARE(f.messages.last().icon, MessageBox::Exclamation);
    QCOMPARE(readFile(f.configPath(2)), config);
    QVERIFY(!control<QPushButton>(w, "cmdRun20Dos")->isEnabled());
    click(w, "cmdRun20Dos");
    // A greyed popup item does nothing either.
    auto* pmnu = control<QMenu>(w, "pmnu");
    rightClickGame(w, kAstro);
    QTRY_VERIFY(pmnu->isVisible());
    clickItem(pmnu, action(w, "pmnuPlay2D"));
    pmnu->close();
    // A game without a file: no button, and a double-click starts nothing.
    const QString noFile = QStringLiteral("Harbour Patrol");
    QVERIFY(clickGame(w, noFile));
    for (const char* name : kPlayButtons) {
        QVERIFY2(!control<QPushButton>(w, name)->isEnabled(), name);
        click(w, name);
    }
    doubleClickGame(w, noFile);
    // A game file but no tune: the tune view does not hold it, and no row is selected there. Reached anyway
    // (a stale shortcut, a menu opened before the switch), each command refuses by itself.
    QVERIFY(clickGame(w, QStringLiteral("Cavern Crawler")));
    click(w, "cmdMusicOnly");
    QCOMPARE(selectedGame(w), QString());
    for (const char* name : {"mnuEditEmulator", "pmnuPlay", "pmnuPlay2D", "pmnuPlay2W"}) {
        QVERIFY2(!action(w, name)->isEnabled(), name);
        action(w, name)->setEnabled(true);
        action(w, name)->trigger();
    }
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!f.anyStartedWithin(500));
    QCOMPARE(f.queryCatalogue("SELECT SUM(TimesPlayed) FROM Games").value(0), QStringList{"0"});
    QCOMPARE(f.stored(noFile, "DateLastPlayed"), QStringLiteral("(Never)"));
    QCOMPARE(f.messages.count(), 1);
}

void TestMainWindowPlay::renamedArchiveShowsItsNewName()
{
    // An archive with two games: the user picks the second under the hourglass, the archive is renamed
    // after it, and the panel and the catalogue follow the new name.
    PlayFixture f;
    QVERIFY(f.isValid());
    const QString cavern = QStringLiteral("Cavern Crawler");
    QVERIFY(zipWithTool(f.programFile("Demo/Games/Archives/PACK.ZIP"),
                        {{"ONE.D64", QByteArray(174848, 1)}, {"TWO.D64", QByteArray(174848, 2)}}));
    QCOMPARE(f.editCatalogue("UPDATE Games SET Filename = 'Archives\\PACK.ZIP' WHERE Name = 'Cavern Crawler'"),
             QString());
    QMainWindow* w = f.startOn(cavern);
    QVERIFY(w);
    QCOMPARE(labelText(w, "lblGameFile"), QStringLiteral("PACK.ZIP"));

    QString dialogName;
    Qt::CursorShape pointer = Qt::ArrowCursor;
    whenModal([&](QWidget* dialog) {
        dialogName = dialog->objectName();
        if (const QCursor* c = QApplication::overrideCursor())
            pointer = c->shape();
        auto* files = dialog->findChild<QListWidget*>(QStringLiteral("lstFiles"));
        files->setCurrentItem(files->findItems(QStringLiteral("TWO.D64"), Qt::MatchFixedString).value(0));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdRename")), Qt::LeftButton);
    });
    click(w, "cmdRun20Win");
    QCOMPARE(dialogName, QStringLiteral("frmRenameArchive"));
    QCOMPARE(pointer, Qt::WaitCursor);
    QCOMPARE(f.waitForStart(2).value(1), f.programFile("CURRGAME/TWO.D64") + ",0");
    QVERIFY(QFile::exists(f.programFile("Demo/Games/Archives/TWO.ZIP")));
    QCOMPARE(labelText(w, "lblGameFile"), QStringLiteral("TWO.ZIP"));
    QCOMPARE(f.stored(cavern, "Filename"), QStringLiteral("Archives\\TWO.ZIP"));
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("1"));
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindowPlay::editMenuPopupAndF9OpenTheDialog()
{
    PlayFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.startOn(kAstro, {{"DefPort1Joy", 1}, {"DefPort2Key", 2}, {"DXDefPort2Key", 1}});
    QVERIFY(w);
    const QString query = QStringLiteral("SELECT UseDefault, Port1Joy, Port2Key, V2Port2Key FROM Games WHERE Name = "
                                         "'Astro Miner'");
    const QList<QStringList> before = f.queryCatalogue(query);
    // Edit menu: the demo game uses the defaults, so the box is ticked and the ports are greyed with the
    // defaults. Cancel keeps the game as it was.
    QString title;
    QString shown;
    whenDialog(&title, "cmdCancel", [&](QWidget* dialog) {
        shown = QStringLiteral("%1 %2 %3")
                    .arg(dialog->findChild<QCheckBox*>(QStringLiteral("chkDefaults"))->isChecked())
                    .arg(dialog->findChild<QTabWidget*>(QStringLiteral("SSTab"))->isEnabled())
                    .arg(dialog->findChild<QPushButton*>(QStringLiteral("cmd1Port1Joy"))->text());
        press(dialog, "chkDefaults");
        press(dialog, "cmd1Port1Joy");
    });
    auto* edit = control<QMenu>(w, "mnuEdit");
    edit->popup(w->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(edit->isVisible());
    clickItem(edit, action(w, "mnuEditEmulator"));
    QTRY_VERIFY(!title.isEmpty());
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(title, QStringLiteral("frmControls:Settings for Astro Miner..."));
    QCOMPARE(shown, QStringLiteral("1 0 ") + launch::captionFor(launch::PortField::Port1Joy, 1));
    QCOMPARE(f.queryCatalogue(query), before);

    // Popup item: OK with the box unticked makes the defaults the game's own values.
    title.clear();
    whenDialog(&title, "cmdOK", [](QWidget* dialog) { press(dialog, "chkDefaults"); });
    auto* pmnu = control<QMenu>(w, "pmnu");
    rightClickGame(w, kAstro);
    QTRY_VERIFY(pmnu->isVisible());
    clickItem(pmnu, action(w, "pmnuEditEmulatorSettings"));
    QTRY_VERIFY(!title.isEmpty());
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(f.queryCatalogue(query).value(0), (QStringList{"0", "1", "2", "1"}));

    // F9, the window's shortcut (which works only in the active window): the game's own ports reach the
    // next start of each generation.
    title.clear();
    whenDialog(&title, "cmdOK", [](QWidget* dialog) {
        press(dialog, "cmd1Port1Joy");    // "PC Joystick 2" -> "PC Joystick 1"
        press(dialog, "cmd1Port2Key");    // "Key Set 3" -> "Key Set 1"
        press(dialog, "cmd2Port2Key", 3); // "PC Joystick 2" -> "Key Set 1", "Key Set 2", "Key Set 3"
    });
    pressF9(w);
    QTRY_VERIFY(!title.isEmpty());
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(f.queryCatalogue(query).value(0), (QStringList{"0", "0", "0", "4"}));
    click(w, "cmdRunGame");
    QVERIFY(!f.waitForStart(0).isEmpty());
    QCOMPARE(configLine(f.configPath(0), "$JOYSTICK1PC="), QStringLiteral("$JOYSTICK1PC=0"));
    QCOMPARE(configLine(f.configPath(0), "$JOYSTICK2KEY="), QStringLiteral("$JOYSTICK2KEY=0"));
    click(w, "cmdRun20Dos");
    QVERIFY(!f.waitForStart(1).isEmpty());
    QCOMPARE(configLine(f.configPath(1), "$CONTROLPORT2MODE="), QStringLiteral("$CONTROLPORT2MODE=4"));
    QCOMPARE(f.messages.count(), 0);
}

void TestMainWindowPlay::emulatorNeededForTheDialog_data()
{
    QTest::addColumn<QVariantMap>("paths");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Win32 only") << QVariantMap{{"CCS64Path", ""}, {"CCS642Path", ""}} << true;
    QTest::newRow("v2.0 Dos only") << QVariantMap{{"CCS64Path", ""}, {"DirectXPath", ""}} << false;
}

void TestMainWindowPlay::emulatorNeededForTheDialog()
{
    QFETCH(QVariantMap, paths);
    QFETCH(bool, opens);
    PlayFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.startOn(kAstro, paths);
    QVERIFY(w);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    // A dialog that opened would hold up the key; the timer closes it and tells.
    bool opened = false;
    QTimer::singleShot(200, [&opened] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = true;
            dialog->close();
        }
    });
    QTest::keyClick(w, Qt::Key_F9);
    QTest::qWait(300);
    QCOMPARE(opened, opens);
    QCOMPARE(
        f.messages.texts(),
        opens ? QStringList()
              : QStringList{"To Change the Emulator Settings, you must first specify an Emulator in 'Preferences'."});
}

void TestMainWindowPlay::damagedCatalogueIsToldOnce()
{
    PlayFixture f;
    QVERIFY(f.isValid());
    const QString file = f.programFile(QStringLiteral("Vintrax.mdb"));
    QVERIFY(damageTablePage(file, QStringLiteral("Music")));
    const QByteArray damaged = readFile(file);
    QMainWindow* w = f.startOn(kAstro);
    QVERIFY(w);
    QCOMPARE(f.messages.texts(), QStringList{catalogue::damagedCatalogueMessage(file)});

    click(w, "cmdRun20Win");
    QVERIFY(!f.waitForStart(2).isEmpty());
    click(w, "cmdRun20Dos");
    QVERIFY(!f.waitForStart(1).isEmpty());
    QCOMPARE(f.messages.count(), 2);
    QVERIFY2(f.messages.last().text.contains(QStringLiteral("this play is not recorded")),
             qPrintable(f.messages.last().text));
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("0"));
    QCOMPARE(readFile(file), damaged);
}

void TestMainWindowPlay::lockedCatalogueIsToldAtEachPlay()
{
    PlayFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.startOn(kAstro);
    QVERIFY(w);
    // Another program holds the catalogue in a write transaction of its own.
    QProcess holder;
    holder.start(QStringLiteral("sqlite3"), {f.programFile(QStringLiteral("Vintrax.mdb"))});
    QVERIFY(holder.waitForStarted());
    holder.write("BEGIN EXCLUSIVE;\nSELECT 'locked';\n");
    QVERIFY(holder.waitForReadyRead(10000));
    for (int play = 1; play <= 2; ++play) {
        click(w, "cmdRun20Win");
        QCOMPARE(f.messages.count(), play);
        QVERIFY2(f.messages.last().text.contains(QStringLiteral("could not be recorded")) &&
                     f.messages.last().text.contains(QStringLiteral("locked")),
                 qPrintable(f.messages.last().text));
    }
    QVERIFY(!f.waitForStart(2).isEmpty());
    holder.write("ROLLBACK;\n.quit\n");
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(f.stored(kAstro, "TimesPlayed"), QStringLiteral("0"));
}

QTEST_MAIN(TestMainWindowPlay)
#include "TestMainWindowPlay.moc"
