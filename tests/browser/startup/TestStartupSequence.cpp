// The program's start and exit as a user meets them: failed starts, the first-run notes, the upgrade notice, a
// read-only settings file, and what the window leaves for the next start.
#include "ModalHelpers.h"
#include "WindowFixture.h"
#include "platform/SingleInstance.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>

using platform::MessageBox;
using namespace windowtest;

constexpr int kTwipsPerPixel = 15;

namespace {

// Every drawing of the game list in a start: whether some row was still unread (empty) then, and whether one was drawn.
struct ListDrawingWatch : QObject
{
    bool partlyRead = false, unreadRowDrawn = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* list = qobject_cast<QListView*>(watched->parent());
        if (event->type() != QEvent::Paint || !list || list->objectName() != "lstGames" || watched != list->viewport())
            return false;
        const auto unread = [list](int row) { return list->model()->index(row, 0).data().toString().isEmpty(); };
        const QRect drawn = static_cast<QPaintEvent*>(event)->rect();
        const int last = list->indexAt(drawn.bottomLeft()).row();
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            partlyRead = partlyRead || unread(row);
            if (row >= list->indexAt(drawn.topLeft()).row() && (last < 0 || row <= last))
                unreadRowDrawn = unreadRowDrawn || unread(row);
        }
        return false;
    }
};

} // namespace

class TestStartupSequence : public QObject
{
    Q_OBJECT

private slots:
    // A long list is drawn before all of it is read, and ends as the stored query has it (read by sqlite3), the
    // saved game selected, even where the stored query colours its rows otherwise than the games table does.
    void longListShowsAsTheStoredQueryHasIt()
    {
        WindowFixture f;
        QCOMPARE(f.sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                       "INSERT INTO Games (Name, CCode, Filename, FA, SA) "
                       "SELECT printf('Long %04d', i), (i % 2) * 128, 'g.d64', 1, 0 FROM n; DROP VIEW [Game Name List];"
                       "CREATE VIEW [Game Name List] AS SELECT Name, 128 AS CCode FROM Games ORDER BY Name"),
                 QString());
        f.presetSettings({{"CurrentGame", "Long 0420"}, {"WhatListBox", 0}});
        ListDrawingWatch watch;
        qApp->installEventFilter(&watch);
        QMainWindow* w = f.start();
        qApp->removeEventFilter(&watch);
        QVERIFY(w);
        QVERIFY(watch.partlyRead && !watch.unreadRowDrawn);
        QStringList shown;
        for (int row = 0; row < gameList(w).rowCount(); ++row) {
            const QModelIndex line = gameList(w).index(row, 0);
            shown << line.data().toString() + '|' +
                         QString::number(line.data(Qt::ForegroundRole).value<QColor>().red());
        }
        QCOMPARE(shown.join('\n'), f.sql("SELECT Name, CCode & 255 FROM [Game Name List]"));
        QCOMPARE(selectedGame(w), QStringLiteral("Long 0420"));
        QCOMPARE(w->windowTitle(), QStringLiteral("vintrax  -  %1 game(s) in total").arg(shown.size()));
        QCOMPARE(f.messages.count(), 0);
    }

    void failedStartTouchesNothing_data()
    {
        // What is done first: program-folder files taken away, "damaged" the catalogue overwritten with text,
        // "running" another copy holding the instance lock; then the message's title and part of its text ("%1"
        // stands for the program folder). The tools are checked in the order bmp2gif, gunzip, lha, zip2d64: only
        // the first missing one is named. Without a catalogue a start that went on would say so: the refusal of a
        // second copy must come first.
        QTest::addColumn<QStringList>("done");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("gunzip before lha") << QStringList{"Conversion/lha", "Conversion/gunzip"} << "vintrax Error"
                                           << "FILE NOT FOUND: %1/Conversion/gunzip";
        QTest::newRow("catalogue missing") << QStringList{"Vintrax.mdb"} << "vinTrax"
                                           << "Cannot find 'Vintrax.mdb' in the '%1' directory";
        QTest::newRow("catalogue damaged") << QStringList{"damaged"} << "vinTrax"
                                           << "%1/Vintrax.mdb";
        QTest::newRow("second copy") << QStringList{"running", "Vintrax.mdb"} << "vintrax"
                                     << "vintrax is already running!";
    }
    void failedStartTouchesNothing()
    {
        QFETCH(QStringList, done);
        QFETCH(QString, title);
        QFETCH(QString, text);
        WindowFixture f;
        QVERIFY(f.isValid());
        platform::SingleInstance other;
        f.removeSetting(QStringLiteral("ShowPrefs")); // not even the first-run flag may be cleared
        const QString catalogue = f.programFile(QStringLiteral("Vintrax.mdb"));
        for (const QString& step : done)
            QVERIFY(step == "running" ? other.tryAcquire() == platform::SingleInstance::Acquired
                    : step == "damaged"
                        ? testsupport::writeFile(catalogue, QByteArray("Games and tunes\n").repeated(180))
                        : QFile::remove(f.programFile(step)));
        const QByteArray iniBefore = testsupport::readFile(f.iniPath());
        const QByteArray catalogueBefore = testsupport::readFile(catalogue);

        QVERIFY(f.start() == nullptr);
        QVERIFY(!QApplication::overrideCursor());
        for (const QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
        QCOMPARE(f.messages.count(), 1);
        QCOMPARE(f.messages.last().title, title);
        QVERIFY2(f.messages.last().text.contains((text.contains("%1") ? text.arg(f.programPath()) : text)),
                 qPrintable(f.messages.last().text));
        QCOMPARE(testsupport::readFile(f.iniPath()), iniBefore);
        // The engine must not have made an empty catalogue in a missing one's place, nor touched a damaged one.
        QCOMPARE(QFile::exists(catalogue), !done.contains(QStringLiteral("Vintrax.mdb")));
        QCOMPARE(testsupport::readFile(catalogue), catalogueBefore);
    }
    // The first run: the notes over the loaded window, the preferences after the welcome note, left with Cancel.
    // With a read-only settings file the first-run flag cannot be cleared: that is reported first, the notes still
    // come, the settings written at exit are refused and reported too, and the file is left as it was.
    void firstRunNotes_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("writable") << false;
        QTest::newRow("read-only settings") << true;
    }
    void firstRunNotes()
    {
        QFETCH(bool, readOnly);
        WindowFixture f;
        f.removeSetting(QStringLiteral("ShowPrefs"));
        // Shipped optional archive tools: the note asking for them (the read-only row's last) would mislead.
        for (const QString tool : {"maketape", "starlynx"})
            QVERIFY(readOnly || QFile::copy(testsupport::toolPath(tool), f.programFile("Conversion/" + tool)));
        const QByteArray before = testsupport::readFile(f.iniPath());
        QVERIFY(!readOnly ||
                QFile::setPermissions(f.iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QString opened;
        testsupport::whenModal([&](QWidget* dialog) {
            opened = dialog->objectName() + QString::number(f.messages.count());
            dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        QMainWindow* w = f.start();
        QVERIFY(w);
        QCOMPARE(opened, readOnly ? QStringLiteral("frmVTRXOptions2") : QStringLiteral("frmVTRXOptions1"));
        QVERIFY(f.state().mainWindowLoaded && !QApplication::overrideCursor());
        for (const QWidget* window : QApplication::topLevelWidgets()) // the splash gone
            QVERIFY2(!window->isVisible() || window == w, qPrintable(window->objectName()));
        if (!readOnly) {
            // "ShowPrefs" is cleared at once, not at exit: a crash after the notes must not show them again (a
            // start with it False is quiet, as every other start of these tests is).
            QCOMPARE(f.storedValue(QStringLiteral("ShowPrefs")).toString(), QStringLiteral("False"));
            QCOMPARE(f.messages.count(), 2);
            return;
        }
        QCOMPARE(f.messages.count(), 4);
        // The verification command is installed: the welcome note sends the user to it.
        const QString welcome = f.messages.messages()[1].text;
        QVERIFY(welcome.contains("into\n    your '" + f.programFile("Screenshots") + "' Directory.\n\nNOTE\n") &&
                welcome.endsWith("run 'Verify Available Games/Sids'\n    from the 'Tools' menu.\n"));
        QVERIFY(f.messages.messages()[3].text.endsWith("copy maketape and starlynx into your '" +
                                                       f.programFile("Conversion") + "' folder (if you have them)"));
        f.exit();
        QCOMPARE(f.messages.count(), 5);
        for (int i : {0, 4})
            QVERIFY(f.messages.messages()[i].icon == MessageBox::Exclamation &&
                    f.messages.messages()[i].text.contains("read-only"));
        QCOMPARE(testsupport::readFile(f.iniPath()), before);
    }
    void earlierVersionGetsTheNotice()
    {
        // The first start of this version tells the user to set the emulators again and opens at the design height
        // (whose client area is the smallest), whatever height was stored. Which paths it forgets is the settings
        // table's; that the forgetting is written at exit is seen here.
        WindowFixture f;
        f.removeSetting(QStringLiteral("V13Start"));
        f.presetSettings({{"CCS64Path", "/emu/ccs64.exe"}, {"Heighty", 12000}});
        // The verification window comes first; the user runs it and closes it when the run is done.
        bool verified = false;
        testsupport::whenModal([&verified](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), "frmVerify");
            dialog->findChild<QPushButton*>("cmdStart")->click();
            auto* close = dialog->findChild<QPushButton*>("cmdClose");
            verified = QTest::qWaitFor([close] { return close->isEnabled(); }, 10000);
            close->click();
        });
        QMainWindow* w = f.start();
        QVERIFY(verified);
        QVERIFY(w);
        QCOMPARE(f.messages.texts(), QStringList{"As you now have 3 Emulators to select from, you should re-set your "
                                                 "CCS64 paths in Preferences."});
        QCOMPARE(w->centralWidget()->height(), 6300 / kTwipsPerPixel);
        f.exit();
        QStringList stored;
        for (const char* key : {"CCS64Path", "V13Start"})
            stored << f.storedValue(QString::fromLatin1(key)).toString();
        // With "V13Start" True the next start is quiet, as every other start of these tests is.
        QCOMPARE(stored, (QStringList{"", "True"}));
    }
    void savedViewGameAndWindowComeBackHandEditedOrNot()
    {
        WindowFixture f;
        f.presetSettings({{QStringLiteral("SSViewShowFlag"), QStringLiteral("False")}}); // "Restore last setting"
        QMainWindow* w = f.start();
        QVERIFY(w);
        QTest::mouseClick(control<QPushButton>(w, "cmdGamesOnly"), Qt::LeftButton);
        // A name with a comma comes back from the settings file.
        QVERIFY(clickGame(w, QStringLiteral("Dragon's Keep, The")));
        action(w, "mnuViewScreenshots")->trigger();
        action(w, "mnuViewGameDetails")->trigger();
        w->resize(w->width(), w->height() + 70);
        w->move(40, 25);
        QTRY_COMPARE(w->pos(), QPoint(40, 25));
        const int height = w->height();
        // The exit button closes the window, which writes the settings.
        QTest::mouseClick(control<QPushButton>(w, "cmdExit"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QStringList stored;
        for (const char* key : {"WhatListBox", "CurrentGame", "Heighty", "Top", "Left", "SSView", "View"})
            stored << f.storedValue(QString::fromLatin1(key)).toString();
        QCOMPARE(stored, (QStringList{"1", "Dragon's Keep, The", QString::number(height * kTwipsPerPixel),
                                      QString::number(25 * kTwipsPerPixel), QString::number(40 * kTwipsPerPixel),
                                      "False", "True"}));
        f.exit();
        // The catalogue's clean check is remembered beside the settings file, for the next start.
        QVERIFY(QFile::exists(QString(f.iniPath()).replace("Vintrax.ini", "CatalogueCheck.txt")));

        w = f.start();
        QVERIFY(w);
        QCOMPARE(labelText(w, "lblWhatView") + '|' + selectedGame(w) + '|' + labelText(w, "lblName"),
                 QStringLiteral("PLAYABLE GAMES|Dragon's Keep, The|Dragon's Keep, The"));
        QCOMPARE(w->height(), height);
        QCOMPARE(w->pos(), QPoint(40, 25));
        QVERIFY(!action(w, "mnuViewScreenshots")->isChecked() && !control<QLabel>(w, "imgScreenShot")->isVisible());
        QVERIFY(action(w, "mnuViewGameDetails")->isChecked() && scroller(w).isRunning());
        // A window closed while minimised keeps the previous position; File, Exit closes it too.
        w->move(100, 80);
        QTRY_COMPARE(w->pos(), QPoint(100, 80));
        w->showMinimized();
        QTRY_VERIFY(w->isMinimized());
        action(w, "mnuFileExit")->trigger();
        QVERIFY(!w->isVisible());
        QCOMPARE(f.storedValue(QStringLiteral("Left")).toInt(), 40 * kTwipsPerPixel);

        // Harbour Patrol is not among the playable games (the selection's table): the saved game stays.
        QVERIFY(f.startOn("Harbour Patrol"));
        f.exit();
        QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Harbour Patrol"));
        QCOMPARE(f.messages.count(), 0);
    }
};

QTEST_MAIN(TestStartupSequence)
#include "TestStartupSequence.moc"
