// The program's start and exit as a user meets them: the splash, the main window's load with its
// messages, the first-run notes, and the settings the window leaves behind for the next start.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "app/CommandHost.h"
#include "browser/FirstRunNotes.h"
#include "browser/GameListViews.h"
#include "platform/SingleInstance.h"
#include <QMainWindow>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using platform::MessageBox;
using windowtest::action;
using windowtest::control;
using windowtest::gameList;
using windowtest::gameText;
using windowtest::scroller;
using windowtest::WindowFixture;

namespace {

constexpr int kTwipsPerPixel = 15;

QList<QWidget*> visibleWindows()
{
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown.append(w);
    return shown;
}

QList<QAction*> bookmarkItems(QWidget* window)
{
    QList<QAction*> items;
    for (QAction* a : window->findChildren<QAction*>(QStringLiteral("mnuFave")))
        if (a->property("index").toInt() < 20)
            items.append(a);
    std::sort(items.begin(), items.end(),
              [](QAction* a, QAction* b) { return a->property("index").toInt() < b->property("index").toInt(); });
    return items;
}

} // namespace

class TestMainWindowStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void freshStoreShowsTheNotesOnce();
    void missingToolEndsTheStart_data();
    void missingToolEndsTheStart();
    void missingCatalogueEndsTheStart();
    void damagedCatalogueEndsTheStartUntouched_data();
    void damagedCatalogueEndsTheStartUntouched();
    void readOnlySettingsFileIsReportedAndKept();
    void secondInstanceIsRefusedBeforeAnythingIsTouched();
    void earlierVersionGetsTheNoticeOnce();
    void windowIsCentredWhenPositionIsNotRestored();
    void savedViewGameAndWindowComeBack();
    void unknownSavedViewShowsAllGames();
    void gameNameWithCommaSurvivesTheSettingsFile();
    void minimisedWindowKeepsThePreviousPosition();
    void savedGameOutsideTheSavedViewSelectsNothing();
    void noSavedGameSelectsTheFirstRow();
    void emptyBookmarksStayHidden();
    void exitButtonAndMenuCloseTheWindow();
};

void TestMainWindowStartup::cleanup()
{
    QVERIFY2(visibleWindows().isEmpty(), "a window was left open");
}

void TestMainWindowStartup::freshStoreShowsTheNotesOnce()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("ShowPrefs"));

    // The preferences come after the welcome note, over the shown window, and are left with Cancel.
    QString opened;
    int notesBefore = -1;
    testsupport::whenModal([&](QWidget* dialog) {
        opened = dialog->objectName();
        notesBefore = f.messages.count();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(opened, QStringLiteral("frmVTRXOptions"));
    QCOMPARE(notesBefore, 1);
    // "ShowPrefs" is cleared at once, not at exit: a crash after the notes must not show them again.
    QCOMPARE(f.storedValue(QStringLiteral("ShowPrefs")).toString(), QStringLiteral("False"));
    const auto& shown = f.messages.messages();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown[0].title, QStringLiteral("Welcome to vintrax!"));
    QVERIFY(shown[0].text.startsWith(QStringLiteral("IMPORTANT - PLEASE READ\n\n")));
    QCOMPARE(shown[0].text, browser::welcomeNoteText());
    QCOMPARE(shown[1].title, QStringLiteral("vintrax"));
    QVERIFY(shown[1].text.startsWith(QStringLiteral("QUICK START\n\n")));
    QCOMPARE(shown[1].text, browser::quickStartNoteText());
    QCOMPARE(shown[2].title, QStringLiteral("vintrax"));
    QVERIFY(shown[2].text.startsWith(QStringLiteral("One more thing !\n\n")));
    QCOMPARE(shown[2].text, browser::oneMoreThingNoteText());
    for (const auto& m : shown)
        QCOMPARE(m.icon, MessageBox::Information);
    // The notes come over the loaded window, which then has the focus on its list.
    QVERIFY(w->isVisible());
    QVERIFY(f.state().mainWindowLoaded);
    QCOMPARE(visibleWindows(), QList<QWidget*>{w}); // the splash has gone
    QVERIFY(QApplication::overrideCursor() == nullptr);
    f.exit();

    f.messages.clear();
    QVERIFY(f.start());
    QCOMPARE(f.messages.count(), 0);
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("ShowPrefs")).toString(), QStringLiteral("False"));
}

void TestMainWindowStartup::missingToolEndsTheStart_data()
{
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QString>("reported");
    QTest::newRow("lha") << QStringList{QStringLiteral("lha")} << QStringLiteral("lha");
    QTest::newRow("bmp2gif") << QStringList{QStringLiteral("bmp2gif")} << QStringLiteral("bmp2gif");
    QTest::newRow("zip2d64") << QStringList{QStringLiteral("zip2d64")} << QStringLiteral("zip2d64");
    // The tools are checked in the order bmp2gif, gunzip, lha, zip2d64: only the first missing one is named.
    QTest::newRow("gunzip before lha") << QStringList{QStringLiteral("lha"), QStringLiteral("gunzip")}
                                       << QStringLiteral("gunzip");
}

void TestMainWindowStartup::missingToolEndsTheStart()
{
    QFETCH(QStringList, missing);
    QFETCH(QString, reported);
    WindowFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("ShowPrefs")); // not even the first-run flag may be cleared
    for (const QString& tool : missing)
        QVERIFY(QFile::remove(f.programFile(QStringLiteral("Conversion/") + tool)));
    const QByteArray iniBefore = testsupport::readFile(f.iniPath());
    const QByteArray catalogueBefore = testsupport::readFile(f.programFile(QStringLiteral("Vintrax.mdb")));

    QVERIFY(f.start() == nullptr);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().text,
             QStringLiteral("FILE NOT FOUND: ") + f.programFile(QStringLiteral("Conversion/") + reported));
    QCOMPARE(f.messages.last().title, QStringLiteral("vintrax Error"));
    QCOMPARE(testsupport::readFile(f.iniPath()), iniBefore);
    QCOMPARE(testsupport::readFile(f.programFile(QStringLiteral("Vintrax.mdb"))), catalogueBefore);
}

void TestMainWindowStartup::missingCatalogueEndsTheStart()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QVERIFY(QFile::remove(f.programFile(QStringLiteral("Vintrax.mdb"))));
    const QByteArray iniBefore = testsupport::readFile(f.iniPath());

    QVERIFY(f.start() == nullptr);
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().text, QStringLiteral("Cannot find 'vintrax.mdb' in the 'vinTrax' directory"));
    QCOMPARE(f.messages.last().title, QStringLiteral("vinTrax"));
    QCOMPARE(f.messages.last().icon, MessageBox::Critical);
    // The engine must not have made an empty catalogue in the missing one's place.
    QVERIFY(!QFile::exists(f.programFile(QStringLiteral("Vintrax.mdb"))));
    QCOMPARE(testsupport::readFile(f.iniPath()), iniBefore);
}

void TestMainWindowStartup::damagedCatalogueEndsTheStartUntouched_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not a database") << QByteArray("Games, tunes and screenshots\n").repeated(100);
    QTest::newRow("empty file") << QByteArray();
}

void TestMainWindowStartup::damagedCatalogueEndsTheStartUntouched()
{
    QFETCH(QByteArray, content);
    WindowFixture f;
    QVERIFY(f.isValid());
    const QString catalogue = f.programFile(QStringLiteral("Vintrax.mdb"));
    QVERIFY(testsupport::writeFile(catalogue, content));
    const QByteArray iniBefore = testsupport::readFile(f.iniPath());

    QVERIFY(f.start() == nullptr);
    QVERIFY(visibleWindows().isEmpty());
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().title, QStringLiteral("vinTrax"));
    QCOMPARE(f.messages.last().icon, MessageBox::Critical);
    QVERIFY2(f.messages.last().text.contains(catalogue), qPrintable(f.messages.last().text));
    QCOMPARE(testsupport::readFile(catalogue), content);
    QCOMPARE(testsupport::readFile(f.iniPath()), iniBefore);
}

void TestMainWindowStartup::readOnlySettingsFileIsReportedAndKept()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(QFile::setPermissions(f.iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = testsupport::readFile(f.iniPath());
    QVERIFY(windowtest::clickGame(w, QStringLiteral("Nibble Nights")));
    f.exit();
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().icon, MessageBox::Exclamation);
    QVERIFY2(f.messages.last().text.contains(f.iniPath()), qPrintable(f.messages.last().text));
    QCOMPARE(testsupport::readFile(f.iniPath()), before);
}

void TestMainWindowStartup::secondInstanceIsRefusedBeforeAnythingIsTouched()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("ShowPrefs"));
    // Without a catalogue a start that went on would say so: the refusal must come first.
    QVERIFY(QFile::remove(f.programFile(QStringLiteral("Vintrax.mdb"))));
    const QByteArray iniBefore = testsupport::readFile(f.iniPath());
    platform::SingleInstance running;
    QCOMPARE(running.tryAcquire(), platform::SingleInstance::Acquired);

    QVERIFY(f.start() == nullptr);
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().text, QStringLiteral("vintrax is already running!"));
    QCOMPARE(f.messages.last().title, QStringLiteral("vintrax"));
    QCOMPARE(f.messages.last().icon, MessageBox::Exclamation);
    QCOMPARE(testsupport::readFile(f.iniPath()), iniBefore);
    f.exit();

    // Once the first copy has gone, the program starts (and now finds the catalogue missing).
    running.release();
    f.messages.clear();
    QVERIFY(f.start() == nullptr);
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().title, QStringLiteral("vinTrax"));
}

void TestMainWindowStartup::earlierVersionGetsTheNoticeOnce()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("V13Start"));
    f.presetSettings({{QStringLiteral("Heighty"), 12000},
                      {QStringLiteral("CCS64Path"), QStringLiteral("/bin/true")},
                      {QStringLiteral("CCS642Path"), QStringLiteral("/bin/true")},
                      {QStringLiteral("DirectXPath"), QStringLiteral("/bin/true")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().text, QStringLiteral("As you now have 3 Emulators to select from, you should re-set "
                                                    "your CCS64 paths in Preferences."));
    QCOMPARE(f.messages.last().title, QStringLiteral("vintrax"));
    QCOMPARE(f.messages.last().icon, MessageBox::Information);
    // The two DOS emulators must be set again; the window keeps its design height this once.
    QVERIFY(windowtest::clickGame(w, QStringLiteral("Astro Miner")));
    QVERIFY(!control<QPushButton>(w, "cmdRunGame")->isEnabled());
    QVERIFY(!control<QPushButton>(w, "cmdRun20Dos")->isEnabled());
    QVERIFY(control<QPushButton>(w, "cmdRun20Win")->isEnabled());
    QCOMPARE(w->centralWidget()->height(), 6300 / kTwipsPerPixel);
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CCS64Path")).toString(), QString());
    QCOMPARE(f.storedValue(QStringLiteral("DirectXPath")).toString(), QStringLiteral("/bin/true"));

    f.messages.clear();
    QVERIFY(f.start());
    QCOMPARE(f.messages.count(), 0);
}

void TestMainWindowStartup::windowIsCentredWhenPositionIsNotRestored()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("PositionFlag"), QStringLiteral("False")},
                      {QStringLiteral("Top"), 300},
                      {QStringLiteral("Left"), 300}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(w->x() - (screen.width() - w->width()) / 2.0) <= 1.0);
    QVERIFY(w->y() > 20);
}

void TestMainWindowStartup::savedViewGameAndWindowComeBack()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // "Restore last setting" for the screenshots.
    f.presetSettings({{QStringLiteral("SSViewShowFlag"), QStringLiteral("False")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(action(w, "mnuViewScreenshots")->isChecked());
    QVERIFY(!action(w, "mnuViewGameDetails")->isChecked());
    QTest::mouseClick(control<QPushButton>(w, "cmdGamesOnly"), Qt::LeftButton);
    QVERIFY(windowtest::clickGame(w, QStringLiteral("Moonbase Miner 2")));
    action(w, "mnuViewScreenshots")->trigger();
    action(w, "mnuViewGameDetails")->trigger();
    w->resize(w->width(), w->height() + 70);
    w->move(40, 25);
    QTRY_COMPARE(w->pos(), QPoint(40, 25));
    const int height = w->height();
    f.exit();

    QCOMPARE(f.storedValue(QStringLiteral("WhatListBox")).toInt(), 1);
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Moonbase Miner 2"));
    QCOMPARE(f.storedValue(QStringLiteral("Heighty")).toInt(), height * kTwipsPerPixel);
    QCOMPARE(f.storedValue(QStringLiteral("Top")).toInt(), 25 * kTwipsPerPixel);
    QCOMPARE(f.storedValue(QStringLiteral("Left")).toInt(), 40 * kTwipsPerPixel);
    QCOMPARE(f.storedValue(QStringLiteral("V13Start")).toString(), QStringLiteral("True"));
    QCOMPARE(f.storedValue(QStringLiteral("SSView")).toString(), QStringLiteral("False"));
    QCOMPARE(f.storedValue(QStringLiteral("View")).toString(), QStringLiteral("True"));

    w = f.start();
    QVERIFY(w);
    QCOMPARE(browser::gameListViewFromNumber(f.state().settings.WhatListBox), browser::GameListView::Playable);
    QCOMPARE(control<QLabel>(w, "lblWhatView")->text(), QStringLiteral("PLAYABLE GAMES"));
    QVERIFY(!control<QPushButton>(w, "cmdGamesOnly")->isEnabled());
    QCOMPARE(windowtest::selectedGame(w), QStringLiteral("Moonbase Miner 2"));
    QCOMPARE(control<QLabel>(w, "lblName")->text(), QStringLiteral("Moonbase Miner 2"));
    QCOMPARE(w->height(), height);
    QCOMPARE(w->pos(), QPoint(40, 25));
    QVERIFY(!action(w, "mnuViewScreenshots")->isChecked());
    QVERIFY(!control<QLabel>(w, "imgScreenShot")->isVisible());
    QVERIFY(action(w, "mnuViewGameDetails")->isChecked());
    QVERIFY(control<QWidget>(w, "picScroller")->isVisible());
    QVERIFY(scroller(w).isRunning());
    QCOMPARE(f.messages.count(), 0);
}

void TestMainWindowStartup::unknownSavedViewShowsAllGames()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("WhatListBox"), 7}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(browser::gameListViewFromNumber(f.state().settings.WhatListBox), browser::GameListView::All);
    QCOMPARE(control<QLabel>(w, "lblWhatView")->text(), QStringLiteral("ALL GAMES IN DATABASE"));
    QVERIFY(!control<QPushButton>(w, "cmdAll")->isEnabled());
    QCOMPARE(gameList(w).rowCount(), 14);
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("WhatListBox")).toInt(), 0);
}

void TestMainWindowStartup::gameNameWithCommaSurvivesTheSettingsFile()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(windowtest::clickGame(w, QStringLiteral("Last Ninja, The")));
    f.exit();
    QVERIFY(f.start());
    QCOMPARE(windowtest::selectedGame(f.window()), QStringLiteral("Last Ninja, The"));
    f.exit();

    // A settings file edited by hand, without the quotes the program writes around such a value.
    QByteArray ini = testsupport::readFile(f.iniPath());
    const qsizetype at = ini.indexOf("CurrentGame=");
    QVERIFY(at >= 0);
    const qsizetype end = ini.indexOf('\n', at);
    ini.replace(at, end - at, "CurrentGame=Dragon's Keep, The");
    QVERIFY(testsupport::writeFile(f.iniPath(), ini));
    QVERIFY(f.start());
    QCOMPARE(windowtest::selectedGame(f.window()), QStringLiteral("Dragon's Keep, The"));
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Dragon's Keep, The"));
}

void TestMainWindowStartup::minimisedWindowKeepsThePreviousPosition()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("Top"), 600}, {QStringLiteral("Left"), 900}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(w->pos(), QPoint(60, 40));
    w->move(100, 80);
    QTRY_COMPARE(w->pos(), QPoint(100, 80));
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    f.exit();

    QCOMPARE(f.storedValue(QStringLiteral("Top")).toInt(), 600);
    QCOMPARE(f.storedValue(QStringLiteral("Left")).toInt(), 900);
    // Everything else is still written.
    QCOMPARE(f.storedValue(QStringLiteral("V13Start")).toString(), QStringLiteral("True"));
    QVERIFY(f.storedValue(QStringLiteral("Heighty")).toInt() > 0);
}

void TestMainWindowStartup::savedGameOutsideTheSavedViewSelectsNothing()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // Harbour Patrol has a tune but no game file: it is not among the playable games.
    f.presetSettings(
        {{QStringLiteral("WhatListBox"), 1}, {QStringLiteral("CurrentGame"), QStringLiteral("Harbour Patrol")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(gameList(w).rowCount(), 9);
    QCOMPARE(windowtest::selectedGame(w), QString());
    QCOMPARE(f.messages.count(), 0);
    f.exit();
    // Nothing was selected, so the saved game stays what it was.
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Harbour Patrol"));
}

void TestMainWindowStartup::noSavedGameSelectsTheFirstRow()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("WhatListBox"), 2}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(browser::gameListViewFromNumber(f.state().settings.WhatListBox), browser::GameListView::Tunes);
    QCOMPARE(control<QLabel>(w, "lblWhatView")->text(), QStringLiteral("GAMES WITH SID TUNES"));
    QCOMPARE(windowtest::selectedGame(w), QStringLiteral("Astro Miner"));
    QCOMPARE(control<QLabel>(w, "lblName")->text(), QStringLiteral("Astro Miner"));
    QVERIFY(control<QLabel>(w, "lblName")->isVisible());
    QVERIFY(control<QListView>(w, "lstGames")->hasFocus());
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Astro Miner"));
}

void TestMainWindowStartup::emptyBookmarksStayHidden()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("Fave3D"), QStringLiteral("Empty")},
                      {QStringLiteral("Fave19D"), QStringLiteral("Empty")},
                      {QStringLiteral("Fave5D"), QStringLiteral("Tom & Jerry's C64 page")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    const QList<QAction*> items = bookmarkItems(w);
    QCOMPARE(items.size(), 20);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(items[i]->isVisible(), i != 3 && i != 19);
    // A title is shown as written: its "&" marks no accelerator.
    QCOMPARE(items[5]->text().replace(QStringLiteral("&&"), QStringLiteral("&")),
             QStringLiteral("Tom & Jerry's C64 page"));
    // A bookmark opens its address with the desktop, reached through the command host as any command.
    QStringList opened;
    f.state().ShellOpen = [&opened](const QString& target) { opened << target; };
    QCOMPARE(f.program().host()->command(QStringLiteral("mnuFave(5)")), items[5]);
    items[5]->trigger();
    QCOMPARE(opened, QStringList{f.state().settings.Favourites[5].address});
    f.exit();
    // The bookmark table goes back to the store as it was read.
    QCOMPARE(f.storedValue(QStringLiteral("Fave3D")).toString(), QStringLiteral("Empty"));
}

void TestMainWindowStartup::exitButtonAndMenuCloseTheWindow()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(windowtest::clickGame(w, QStringLiteral("Galactic Garden")));
    QTest::mouseClick(control<QPushButton>(w, "cmdExit"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Galactic Garden"));
    f.exit(); // a second close writes nothing twice and does not fail

    w = f.start();
    QVERIFY(w);
    QCOMPARE(windowtest::selectedGame(w), QStringLiteral("Galactic Garden"));
    QVERIFY(windowtest::clickGame(w, QStringLiteral("Jungle Jive")));
    action(w, "mnuFileExit")->trigger();
    QVERIFY(!w->isVisible());
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Jungle Jive"));
}

QTEST_MAIN(TestMainWindowStartup)
#include "TestMainWindowStartup.moc"
