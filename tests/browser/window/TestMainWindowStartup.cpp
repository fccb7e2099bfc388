// The program's start and exit as a user meets them: the splash, the main window's load with its
// messages, the first-run notes, and the settings the window leaves behind for the next start. Then the
// window applying its layout as it is resized (a few rows measured from the client area's bottom, in twips
// at 15 to the pixel; the whole table is the layout's own test), the two View entries that change it, the
// scrolling comment, and the window's place on the screen.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "browser/GameDetailsLook.h"
#include "browser/gui/ScrollerBox.h"
#include "platform/SingleInstance.h"
#include <QListView>
#include <QMainWindow>
#include <QScreen>

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

constexpr int kMinimumClientHeight = 6300 / kTwipsPerPixel;

int clientHeight(QMainWindow* w)
{
    return w->centralWidget()->height();
}

// Resizes the window so that its client area is height pixels high.
void setClientHeight(QMainWindow* w, int height)
{
    w->resize(w->width(), w->height() + height - clientHeight(w));
    QTRY_COMPARE(clientHeight(w), height);
}

int top(QMainWindow* w, const char* name)
{
    return control<QWidget>(w, name)->y();
}

ScrollerBox* scrollerBox(QMainWindow* w)
{
    return control<ScrollerBox>(w, "picScroller");
}

// What the user sees where the scroller box is: the share of pixels (in percent) that show the window's own
// background, and that are drawn in the dark blue of the value labels (or close to it, at the letters' edges).
QPair<int, int> backgroundAndInk(QMainWindow* w)
{
    ScrollerBox* box = scrollerBox(w);
    const QImage shown = w->grab(QRect(box->mapTo(w, QPoint(0, 0)), box->size())).toImage();
    const QColor background = w->centralWidget()->palette().color(QPalette::Window);
    int backgroundPixels = 0, ink = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            backgroundPixels += c == background;
            ink += c != background && c.blue() > c.red() && c.blue() > c.green() && c.red() < 128;
        }
    const int total = qMax(1, shown.width() * shown.height());
    return {backgroundPixels * 100 / total, ink * 100 / total};
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
    void layoutFollowsTheClientHeightAndTheScreenshotEntry();
    void commentScrollsAndStops();
    void windowFitsTheScreenWhateverTheSettingsSay();
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

void TestMainWindowStartup::layoutFollowsTheClientHeightAndTheScreenshotEntry()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    const QString name = QStringLiteral("Galactic Garden and the Very Long Expedition to the Asteroid Belt of Doom");
    QCOMPARE(f.editCatalogue(QStringLiteral("UPDATE Games SET Name = '%1' WHERE Name = 'Galactic Garden'").arg(name)),
             QString());
    // A stored height below the design height gives the design height, whose client area is the minimum.
    f.presetSettings({{QStringLiteral("Heighty"), 1000}, {QStringLiteral("CurrentGame"), name}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(clientHeight(w), kMinimumClientHeight);
    // The client area is 9495 twips wide, and the window is resizable in height only, down to the minimum.
    QCOMPARE(w->centralWidget()->width(), 9495 / kTwipsPerPixel);
    const int width = w->width();
    w->resize(width + 120, 200);
    QTest::qWait(20);
    QCOMPARE(w->width(), width);
    QCOMPARE(clientHeight(w), kMinimumClientHeight);

    auto* title = control<QLabel>(w, "lblGN");
    auto* legend = control<QWidget>(w, "picKey");
    // A few rows from the client area's bottom, the large name and the legend shown only where they fit.
    const struct
    {
        int height;
        bool title;
        bool legend;
    } steps[] = {{kMinimumClientHeight, false, false},
                 {kMinimumClientHeight + 30, true, false},
                 {8400 / kTwipsPerPixel, true, true},
                 {kMinimumClientHeight, false, false}};
    for (const auto& step : steps) {
        setClientHeight(w, step.height);
        const int h = step.height;
        QCOMPARE((QList<int>{top(w, "lblGameFile"), top(w, "picScroller"), top(w, "lblName"), top(w, "cmdExit"),
                             control<QListView>(w, "lstGames")->height()}),
                 (QList<int>{h - 255 / kTwipsPerPixel, h - 570 / kTwipsPerPixel, h - 2100 / kTwipsPerPixel,
                             h - 2460 / kTwipsPerPixel, h - 3300 / kTwipsPerPixel}));
        QCOMPARE(title->isVisible(), step.title);
        QCOMPARE(legend->isVisible(), step.legend);
    }
    // A long name ends in an ellipsis within the label, whole in the tool tip; a short one shows whole.
    setClientHeight(w, 8400 / kTwipsPerPixel);
    QVERIFY(title->text().endsWith(QChar(0x2026)) && name.startsWith(title->text().chopped(1)));
    QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
    QCOMPARE(title->toolTip(), name);
    QVERIFY(clickGame(w, QStringLiteral("Bouncing Bytes")));
    QCOMPARE(title->text(), QStringLiteral("Bouncing Bytes"));
    // Every caption ends before its value's text begins.
    for (const auto& [captionName, valueName] : browser::kCaptionLabels) {
        auto* caption = control<QLabel>(w, captionName);
        auto* value = control<QLabel>(w, valueName);
        QVERIFY2(caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()) <
                     value->x() + value->contentsMargins().left(),
                 captionName);
    }

    // The screenshot entry widens the list, which covers the band: the picture, the name and the legend go,
    // also when the window is resized.
    auto* list = control<QListView>(w, "lstGames");
    QAction* screenshots = action(w, "mnuViewScreenshots");
    QVERIFY(screenshots->isChecked());
    QCOMPARE(list->width(), 4095 / kTwipsPerPixel);
    screenshots->trigger();
    QVERIFY(!screenshots->isChecked());
    QCOMPARE(list->width(), 9015 / kTwipsPerPixel);
    for (const char* hidden : {"imgScreenShot", "lblGN", "picKey"})
        QVERIFY2(!control<QWidget>(w, hidden)->isVisible(), hidden);
    QVERIFY(list->hasFocus());
    setClientHeight(w, kMinimumClientHeight + 50);
    QCOMPARE(list->width(), 9015 / kTwipsPerPixel);
    screenshots->trigger();
    QCOMPARE(list->width(), 4095 / kTwipsPerPixel);
    QVERIFY(control<QWidget>(w, "imgScreenShot")->isVisible());

    // Nothing is laid out while the window is minimised, but the layout catches up when it is restored.
    const int before = clientHeight(w);
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    w->resize(w->width(), w->height() + 100);
    QTRY_COMPARE(clientHeight(w), before + 100);
    QCOMPARE(top(w, "cmdRandom"), before - 2460 / kTwipsPerPixel);
    w->showNormal();
    QTRY_VERIFY(!w->isMinimized());
    QCOMPARE(top(w, "cmdRandom"), before + 100 - 2460 / kTwipsPerPixel);
    f.exit();
    // The height at exit is stored in twips.
    QCOMPARE(f.storedValue(QStringLiteral("Heighty")).toInt() % kTwipsPerPixel, 0);
    QCOMPARE(f.storedValue(QStringLiteral("SSView")).toString(), QStringLiteral("True"));
}

void TestMainWindowStartup::commentScrollsAndStops()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // No game has a tune now, so the tune view is empty.
    QCOMPARE(f.editCatalogue(QStringLiteral("UPDATE Games SET SA = 0;")), QString());
    f.presetSettings({{QStringLiteral("CurrentGame"), QStringLiteral("Cavern Crawler")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QAction* scrolling = action(w, "mnuViewGameDetails");
    QCOMPARE(scrolling->text(), QStringLiteral("Scrolling &Comment"));
    QVERIFY(!scrollerBox(w)->isVisible());
    // A game without a comment: the box takes the label's place, blank and still.
    scrolling->trigger();
    QVERIFY(scrolling->isChecked());
    QVERIFY(scrollerBox(w)->isVisible());
    QVERIFY(!control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(scrollerBox(w)->isBlank());
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(control<QListView>(w, "lstGames")->hasFocus());

    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    QVERIFY(scroller(w).isRunning());
    QTRY_VERIFY(!scrollerBox(w)->isBlank());
    // The text scrolls in the labels' dark blue over the window's background.
    QTRY_VERIFY(backgroundAndInk(w).second > 0);
    QVERIFY(backgroundAndInk(w).first > 50);
    const QImage earlier = scrollerBox(w)->block();
    QTRY_VERIFY(scrollerBox(w)->block() != earlier);

    // The empty view stops it and hides the box with the other details; a view with the game brings it back.
    QTest::mouseClick(control<QPushButton>(w, "cmdMusicOnly"), Qt::LeftButton);
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(!scrollerBox(w)->isVisible());
    QTest::mouseClick(control<QPushButton>(w, "cmdAll"), Qt::LeftButton);
    QVERIFY(scroller(w).isRunning());
    QVERIFY(scrollerBox(w)->isVisible());

    // Unchecking puts the comment label back.
    scrolling->trigger();
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(!scrollerBox(w)->isVisible());
    QVERIFY(control<QLabel>(w, "lblComment")->text().startsWith(QStringLiteral("Mine the asteroid belt")));
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("View")).toString(), QStringLiteral("False"));
}

void TestMainWindowStartup::windowFitsTheScreenWhateverTheSettingsSay()
{
    // The placement rules are the layout's own test; here the window applies them to nonsense settings.
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{"Heighty", 2000000000}, {"Top", 2000000000}, {"Left", -2000000000}, {"PositionFlag", "True"}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(w->screen()->availableGeometry().contains(w->geometry()));
    // The buttons and the details are inside the window, not cut off below it.
    auto* exit = control<QPushButton>(w, "cmdExit");
    QVERIFY(exit->mapTo(w, QPoint(0, exit->height())).y() <= w->height());
}

QTEST_MAIN(TestMainWindowStartup)
#include "TestMainWindowStartup.moc"
