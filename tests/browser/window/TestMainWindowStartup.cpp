// The program's start and exit as a user meets them: the splash, the main window's load with its
// messages, the first-run notes, and the settings the window leaves behind for the next start.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "platform/SingleInstance.h"
#include <QMainWindow>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTest>

using platform::MessageBox;
using namespace windowtest;

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

} // namespace

class TestMainWindowStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void freshStoreShowsTheNotesOnce();
    void failedStartTouchesNothing_data();
    void failedStartTouchesNothing();
    void savedViewGameAndWindowComeBackUnlessMinimised();
    void handEditedSettingsFile();
    void emptyBookmarksStayHidden();
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
    // The three notes (their texts are the start-up sequence's test) over the loaded window; the splash gone.
    QCOMPARE(f.messages.count(), 3);
    QVERIFY(f.state().mainWindowLoaded);
    QCOMPARE(visibleWindows(), QList<QWidget*>{w});
    QVERIFY(!QApplication::overrideCursor());
    f.exit();

    f.messages.clear();
    QVERIFY(f.start());
    QCOMPARE(f.messages.count(), 0);
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("ShowPrefs")).toString(), QStringLiteral("False"));
}

void TestMainWindowStartup::failedStartTouchesNothing_data()
{
    QTest::addColumn<bool>("running");        // another copy holds the instance lock
    QTest::addColumn<QStringList>("removed"); // program-folder files taken away
    QTest::addColumn<bool>("damaged");        // the catalogue overwritten with text
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // part of the message; "%1" stands for the program folder
    const QString error = QStringLiteral("vintrax Error");
    // The tools are checked in the order bmp2gif, gunzip, lha, zip2d64: only the first missing one is named.
    // Without a catalogue a start that went on would say so: the refusal of a second copy must come first.
    QTest::newRow("zip2d64 missing") << false << QStringList{"Conversion/zip2d64"} << false << error
                                     << QStringLiteral("FILE NOT FOUND: %1/Conversion/zip2d64");
    QTest::newRow("gunzip before lha") << false << QStringList{"Conversion/lha", "Conversion/gunzip"} << false << error
                                       << QStringLiteral("FILE NOT FOUND: %1/Conversion/gunzip");
    QTest::newRow("catalogue missing") << false << QStringList{"Vintrax.mdb"} << false << QStringLiteral("vinTrax")
                                       << QStringLiteral("Cannot find 'vintrax.mdb' in the 'vinTrax' directory");
    QTest::newRow("catalogue damaged") << false << QStringList() << true << QStringLiteral("vinTrax")
                                       << QStringLiteral("%1/Vintrax.mdb");
    QTest::newRow("second copy") << true << QStringList{"Vintrax.mdb"} << false << QStringLiteral("vintrax")
                                 << QStringLiteral("vintrax is already running!");
}

void TestMainWindowStartup::failedStartTouchesNothing()
{
    QFETCH(bool, running);
    QFETCH(QStringList, removed);
    QFETCH(bool, damaged);
    QFETCH(QString, title);
    QFETCH(QString, text);
    WindowFixture f;
    QVERIFY(f.isValid());
    platform::SingleInstance other;
    if (running)
        QCOMPARE(other.tryAcquire(), platform::SingleInstance::Acquired);
    f.removeSetting(QStringLiteral("ShowPrefs")); // not even the first-run flag may be cleared
    for (const QString& file : removed)
        QVERIFY(QFile::remove(f.programFile(file)));
    const QString catalogue = f.programFile(QStringLiteral("Vintrax.mdb"));
    if (damaged)
        QVERIFY(testsupport::writeFile(catalogue, QByteArray("Games, tunes and screenshots\n").repeated(100)));
    const QByteArray iniBefore = testsupport::readFile(f.iniPath());
    const QByteArray catalogueBefore = testsupport::readFile(catalogue);

    QVERIFY(f.start() == nullptr);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().title, title);
    QVERIFY2(f.messages.last().text.contains(text.arg(f.programPath())), qPrintable(f.messages.last().text));
    QCOMPARE(testsupport::readFile(f.iniPath()), iniBefore);
    // The engine must not have made an empty catalogue in a missing one's place, nor touched a damaged one.
    QCOMPARE(QFile::exists(catalogue), !removed.contains(QStringLiteral("Vintrax.mdb")));
    QCOMPARE(testsupport::readFile(catalogue), catalogueBefore);
}

void TestMainWindowStartup::savedViewGameAndWindowComeBackUnlessMinimised()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // "Restore last setting" for the screenshots.
    f.presetSettings({{QStringLiteral("SSViewShowFlag"), QStringLiteral("False")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(action(w, "mnuViewScreenshots")->isChecked() && !action(w, "mnuViewGameDetails")->isChecked());
    QTest::mouseClick(control<QPushButton>(w, "cmdGamesOnly"), Qt::LeftButton);
    // A name with a comma comes back from the settings file.
    QVERIFY(clickGame(w, QStringLiteral("Dragon's Keep, The")));
    action(w, "mnuViewScreenshots")->trigger();
    action(w, "mnuViewGameDetails")->trigger();
    w->resize(w->width(), w->height() + 70);
    w->move(40, 25);
    QTRY_COMPARE(w->pos(), QPoint(40, 25));
    const int height = w->height();
    // The exit button closes the window, which writes the settings; a second close writes nothing twice.
    QTest::mouseClick(control<QPushButton>(w, "cmdExit"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    f.exit();
    QStringList stored;
    for (const char* key : {"WhatListBox", "CurrentGame", "Heighty", "Top", "Left", "SSView", "View"})
        stored << f.storedValue(QString::fromLatin1(key)).toString();
    QCOMPARE(stored, (QStringList{"1", "Dragon's Keep, The", QString::number(height * kTwipsPerPixel),
                                  QString::number(25 * kTwipsPerPixel), QString::number(40 * kTwipsPerPixel), "False",
                                  "True"}));

    w = f.start();
    QVERIFY(w);
    QCOMPARE(labelText(w, "lblWhatView"), QStringLiteral("PLAYABLE GAMES"));
    QCOMPARE(selectedGame(w), QStringLiteral("Dragon's Keep, The"));
    QCOMPARE(labelText(w, "lblName"), QStringLiteral("Dragon's Keep, The"));
    QCOMPARE(w->height(), height);
    QCOMPARE(w->pos(), QPoint(40, 25));
    QVERIFY(!action(w, "mnuViewScreenshots")->isChecked() && !control<QLabel>(w, "imgScreenShot")->isVisible());
    QVERIFY(action(w, "mnuViewGameDetails")->isChecked() && scroller(w).isRunning());
    QCOMPARE(f.messages.count(), 0);

    // A window closed while minimised keeps the previous position; the rest is still written. File, Exit
    // closes it too.
    w->move(100, 80);
    QTRY_COMPARE(w->pos(), QPoint(100, 80));
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    action(w, "mnuFileExit")->trigger();
    QVERIFY(!w->isVisible());
    QCOMPARE(f.storedValue(QStringLiteral("Top")).toInt(), 25 * kTwipsPerPixel);
    QCOMPARE(f.storedValue(QStringLiteral("Left")).toInt(), 40 * kTwipsPerPixel);
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Astro Miner"));
}

void TestMainWindowStartup::handEditedSettingsFile()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // Harbour Patrol has a tune but no game file: it is not among the playable games, so nothing is selected
    // and the saved game stays what it was.
    f.presetSettings(
        {{QStringLiteral("WhatListBox"), 1}, {QStringLiteral("CurrentGame"), QStringLiteral("Harbour Patrol")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(gameList(w).rowCount(), 9);
    QCOMPARE(selectedGame(w), QString());
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Harbour Patrol"));

    // A name with a comma, without the quotes the program writes around such a value.
    QByteArray ini = testsupport::readFile(f.iniPath());
    const qsizetype at = ini.indexOf("CurrentGame=");
    QVERIFY(at >= 0);
    ini.replace(at, ini.indexOf('\n', at) - at, "CurrentGame=Last Ninja, The");
    QVERIFY(testsupport::writeFile(f.iniPath(), ini));
    f.presetSettings({{QStringLiteral("WhatListBox"), 0}});
    QVERIFY(f.start());
    QCOMPARE(selectedGame(f.window()), QStringLiteral("Last Ninja, The"));
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Last Ninja, The"));
    QCOMPARE(f.messages.count(), 0);
}

void TestMainWindowStartup::emptyBookmarksStayHidden()
{
    // Editing and opening bookmarks is the preferences window's test.
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("Fave3D"), QStringLiteral("Empty")},
                      {QStringLiteral("Fave19D"), QStringLiteral("Empty")},
                      {QStringLiteral("Fave5D"), QStringLiteral("Tom & Jerry's C64 page")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QMap<int, QAction*> items;
    for (QAction* a : w->findChildren<QAction*>(QStringLiteral("mnuFave")))
        items[a->property("index").toInt()] = a;
    QVERIFY(items[2]->isVisible() && !items[3]->isVisible() && items[18]->isVisible() && !items[19]->isVisible());
    // A title is shown as written: its "&" marks no accelerator.
    QCOMPARE(items[5]->text().replace(QStringLiteral("&&"), QStringLiteral("&")),
             QStringLiteral("Tom & Jerry's C64 page"));
}

QTEST_MAIN(TestMainWindowStartup)
#include "TestMainWindowStartup.moc"
