// The program's start and exit as a user meets them: the first-run notes over the loaded window, and the settings
// the window leaves behind for the next start. Then the window applying its layout (one row; the tables are the
// layout's own test), the two View entries, the scrolling comment, and the window's place on the screen. Starts
// that end or warn are the start-up sequence's test.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "browser/gui/ScrollerBox.h"
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

int top(QMainWindow* w, const char* name)
{
    return control<QWidget>(w, name)->y();
}

ScrollerBox* scrollerBox(QMainWindow* w)
{
    return control<ScrollerBox>(w, "picScroller");
}

} // namespace

class TestMainWindowStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void freshStoreShowsTheNotesOnce();
    void savedViewGameAndWindowComeBack();
    void layoutAndCommentFollowTheWindow();
    void handEditedSettingsFile();
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

void TestMainWindowStartup::savedViewGameAndWindowComeBack()
{
    WindowFixture f;
    QVERIFY(f.isValid());
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
                                  QString::number(25 * kTwipsPerPixel), QString::number(40 * kTwipsPerPixel), "False",
                                  "True"}));
    f.exit();

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
    QCOMPARE(f.messages.count(), 0);
}

void TestMainWindowStartup::layoutAndCommentFollowTheWindow()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // No game has a tune now, so the tune view is empty.
    QCOMPARE(f.sql(QStringLiteral("UPDATE Games SET SA = 0;")), QString());
    // A stored height below the design height gives the design height, whose client area is the minimum.
    f.presetSettings({{"Heighty", 1000}, {"CurrentGame", "Cavern Crawler"}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(clientHeight(w), kMinimumClientHeight);
    QVERIFY(!control<QWidget>(w, "picKey")->isVisible());
    // Nothing is laid out while the window is minimised, but the layout catches up when it is restored:
    // the button row stays at its distance from the bottom, and the legend shows where it fits.
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    w->resize(w->width(), w->height() + 140);
    QTRY_COMPARE(clientHeight(w), kMinimumClientHeight + 140);
    QCOMPARE(top(w, "cmdRandom"), kMinimumClientHeight - 2460 / kTwipsPerPixel);
    w->showNormal();
    QTRY_VERIFY(!w->isMinimized());
    QCOMPARE(top(w, "cmdRandom"), kMinimumClientHeight + 140 - 2460 / kTwipsPerPixel);
    QVERIFY(control<QWidget>(w, "picKey")->isVisible());
    // The screenshot entry widens the list over the band.
    auto* list = control<QListView>(w, "lstGames");
    action(w, "mnuViewScreenshots")->trigger();
    QCOMPARE(list->width(), 9015 / kTwipsPerPixel);
    QVERIFY(!control<QWidget>(w, "imgScreenShot")->isVisible() && list->hasFocus());

    // The scrolling comment: a game without one shows the box blank and still.
    QAction* scrolling = action(w, "mnuViewGameDetails");
    scrolling->trigger();
    QVERIFY(scrollerBox(w)->isVisible() && !control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(scrollerBox(w)->isBlank() && !scroller(w).isRunning());
    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    QTRY_VERIFY(!scrollerBox(w)->isBlank());
    const QImage earlier = scrollerBox(w)->block();
    QTRY_VERIFY(scrollerBox(w)->block() != earlier);
    // The empty view stops it and hides the box; a view with the game brings it back.
    QTest::mouseClick(control<QPushButton>(w, "cmdMusicOnly"), Qt::LeftButton);
    QVERIFY(!scroller(w).isRunning() && !scrollerBox(w)->isVisible());
    QTest::mouseClick(control<QPushButton>(w, "cmdAll"), Qt::LeftButton);
    QVERIFY(scroller(w).isRunning() && scrollerBox(w)->isVisible());
    // Unchecking puts the comment label back.
    scrolling->trigger();
    QVERIFY(!scroller(w).isRunning() && !scrollerBox(w)->isVisible());
    QVERIFY(control<QLabel>(w, "lblComment")->text().startsWith(QStringLiteral("Mine the asteroid belt")));
}

void TestMainWindowStartup::handEditedSettingsFile()
{
    // The placement rules are the layout's own test; here the window applies them to nonsense settings.
    // Empty bookmarks stay hidden (editing them is the preferences window's test). Harbour Patrol has a tune
    // but no game file: it is not among the playable games, so nothing is selected and the saved game stays.
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{"Heighty", 2000000000}, {"Top", 2000000000}, {"Left", -2000000000}, {"PositionFlag", "True"}});
    f.presetSettings(
        {{"WhatListBox", 1}, {"CurrentGame", "Harbour Patrol"}, {"Fave3D", "Empty"}, {"Fave5D", "Tom & Jerry"}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(w->screen()->availableGeometry().contains(w->geometry()));
    auto* exit = control<QPushButton>(w, "cmdExit");
    QVERIFY(exit->mapTo(w, QPoint(0, exit->height())).y() <= w->height());
    QMap<int, QAction*> items;
    for (QAction* a : w->findChildren<QAction*>(QStringLiteral("mnuFave")))
        items[a->property("index").toInt()] = a;
    QVERIFY(items[2]->isVisible() && !items[3]->isVisible());
    QCOMPARE(items[5]->text(), QStringLiteral("Tom && Jerry")); // the "&" marks no accelerator
    QCOMPARE(selectedGame(w), QString());
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("CurrentGame")).toString(), QStringLiteral("Harbour Patrol"));
    QCOMPARE(f.messages.count(), 0);
}

QTEST_MAIN(TestMainWindowStartup)
#include "TestMainWindowStartup.moc"
