// The main window's layout as the window is resized (the rows measured from the client area's bottom,
// in twips at 15 to the pixel), the two View entries that change it, and the scrolling comment.
#include "WindowFixture.h"
#include "browser/GameDetailsLook.h"
#include "browser/gui/ScrollerBox.h"
#include <QMainWindow>

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using windowtest::action;
using windowtest::clickGame;
using windowtest::control;
using windowtest::gameList;
using windowtest::gameText;
using windowtest::scroller;
using windowtest::WindowFixture;

namespace {

constexpr int kTwipsPerPixel = 15;
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

// What the user sees where the scroller box is: how many pixels show the window's own background and
// how many are drawn in the dark blue of the value labels (or close to it, at the letters' edges).
struct BoxPixels
{
    int background = 0;
    int ink = 0;
    int total = 0;
};
BoxPixels shownInBox(QMainWindow* w)
{
    ScrollerBox* box = scrollerBox(w);
    const QImage shown = w->grab(QRect(box->mapTo(w, QPoint(0, 0)), box->size())).toImage();
    const QColor background = w->centralWidget()->palette().color(QPalette::Window);
    BoxPixels pixels;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            ++pixels.total;
            if (c == background)
                ++pixels.background;
            else if (c.blue() > c.red() && c.blue() > c.green() && c.red() < 128)
                ++pixels.ink;
        }
    }
    return pixels;
}

} // namespace

class TestMainWindowLayoutView : public QObject
{
    Q_OBJECT

private slots:
    void rowsFollowTheClientBottom();
    void widthStaysFixed();
    void titleAndLegendNeedRoom();
    void minimisedWindowIsLaidOutWhenRestored();
    void screenshotEntryWidensTheList();
    void emptyCommentShowsBlankScroller();
    void commentScrollsAndStops();
    void longTitleEndsInAnEllipsisAndCaptionsKeepClear();
    void windowFitsTheScreenWhateverTheSettingsSay_data();
    void windowFitsTheScreenWhateverTheSettingsSay();
};

void TestMainWindowLayoutView::rowsFollowTheClientBottom()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // A stored height below the design height gives the design height, whose client area is the minimum.
    f.presetSettings({{QStringLiteral("Heighty"), 1000}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(clientHeight(w), kMinimumClientHeight);

    for (int height : {kMinimumClientHeight, kMinimumClientHeight + 137, kMinimumClientHeight + 40}) {
        setClientHeight(w, height);
        const int h = clientHeight(w);
        // Top of each row in twips from the bottom, divided by 15.
        for (const char* name : {"Label1", "Label2", "Label8", "lblGameFile", "lblMusicFile", "lblDocFile"})
            QCOMPARE(top(w, name), h - 255 / kTwipsPerPixel);
        for (const char* name : {"lblComment", "picScroller"})
            QCOMPARE(top(w, name), h - 570 / kTwipsPerPixel);
        for (const char* name : {"Label19", "Label4", "lblPlayers", "lblLastPlayed"})
            QCOMPARE(top(w, name), h - 900 / kTwipsPerPixel);
        for (const char* name : {"Label16", "Label3", "lblGenre", "lblTimesPlayed"})
            QCOMPARE(top(w, name), h - 1140 / kTwipsPerPixel);
        for (const char* name : {"Label14", "Label6", "lblMusician", "lblHighScore"})
            QCOMPARE(top(w, name), h - 1380 / kTwipsPerPixel);
        for (const char* name : {"Label11", "Label7", "lblYear", "lblTrainer"})
            QCOMPARE(top(w, name), h - 1620 / kTwipsPerPixel);
        for (const char* name : {"Label12", "Label18", "lblPublisher", "lblDifficulty"})
            QCOMPARE(top(w, name), h - 1860 / kTwipsPerPixel);
        for (const char* name : {"Label10", "Label17", "lblName", "lblRating"})
            QCOMPARE(top(w, name), h - 2100 / kTwipsPerPixel);
        for (const char* name : {"cmdRandom", "cmdAll", "cmdGamesOnly", "cmdMusicOnly", "cmdRunGame", "cmdRun20Dos",
                                 "cmdRun20Win", "cmdPlayMusic", "cmdViewDocs", "cmdReport", "cmdAdd", "cmdExit"})
            QCOMPARE(top(w, name), h - 2460 / kTwipsPerPixel);
        QCOMPARE(control<QListView>(w, "lstGames")->height(), h - 3300 / kTwipsPerPixel);

        // The picture is centred in the band above the buttons: (H - 2700) / 2 - 1500 + 300 twips.
        const double pictureTop = ((h * kTwipsPerPixel - 2700) / 2.0 - 1500 + 300) / kTwipsPerPixel;
        QVERIFY2(qAbs(top(w, "imgScreenShot") - pictureTop) <= 1.0,
                 qPrintable(QStringLiteral("picture at %1, expected %2").arg(top(w, "imgScreenShot")).arg(pictureTop)));

        // The buttons share one row without overlapping and the row ends inside the client area.
        int right = 0;
        for (const char* name : {"cmdRandom", "cmdAll", "cmdGamesOnly", "cmdMusicOnly", "cmdRunGame", "cmdRun20Dos",
                                 "cmdRun20Win", "cmdPlayMusic", "cmdViewDocs", "cmdReport", "cmdAdd", "cmdExit"}) {
            const QRect g = control<QWidget>(w, name)->geometry();
            QVERIFY2(g.left() >= right, name);
            right = g.right() + 1;
        }
        QVERIFY(right <= w->centralWidget()->width());
    }
    f.exit();
    // The height at exit is stored in twips.
    QCOMPARE(f.storedValue(QStringLiteral("Heighty")).toInt() % kTwipsPerPixel, 0);
}

void TestMainWindowLayoutView::widthStaysFixed()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    // The client area is 9495 twips wide, and the window is resizable in height only.
    QCOMPARE(w->centralWidget()->width(), 9495 / kTwipsPerPixel);
    const int width = w->width();
    const int before = clientHeight(w);
    w->resize(width + 120, w->height() + 30);
    QTest::qWait(20);
    QCOMPARE(w->width(), width);
    QCOMPARE(clientHeight(w), before + 30);
    // Below the minimum height the window does not go.
    w->resize(width, 200);
    QTest::qWait(20);
    QCOMPARE(clientHeight(w), kMinimumClientHeight);
    f.exit();
}

void TestMainWindowLayoutView::titleAndLegendNeedRoom()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings(
        {{QStringLiteral("CurrentGame"), QStringLiteral("Galactic Garden")}, {QStringLiteral("Heighty"), 1000}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(clientHeight(w), kMinimumClientHeight);
    auto* title = control<QLabel>(w, "lblGN");
    auto* legend = control<QWidget>(w, "picKey");
    auto* picture = control<QLabel>(w, "imgScreenShot");
    QCOMPARE(title->text(), QStringLiteral("Galactic Garden"));

    // At the minimum height the picture fills the band: no room for the large name or the legend.
    QVERIFY(picture->isVisible());
    QVERIFY(!title->isVisible());
    QVERIFY(!legend->isVisible());

    setClientHeight(w, kMinimumClientHeight + 30);
    QVERIFY(title->isVisible());
    QVERIFY(!legend->isVisible());
    // The name sits 10 twips above the picture, at its left edge.
    QVERIFY(title->geometry().bottom() < picture->y());
    QVERIFY(picture->y() - title->geometry().bottom() <= 2);
    QCOMPARE(title->x(), picture->x());

    setClientHeight(w, 8400 / kTwipsPerPixel);
    QVERIFY(title->isVisible());
    QVERIFY(legend->isVisible());
    // The legend lies between the picture and the separator above the buttons, 500 twips in.
    QVERIFY(legend->y() > picture->geometry().bottom());
    QVERIFY(legend->geometry().bottom() < top(w, "cmdRandom"));
    QCOMPARE(legend->x(), picture->x() + 500 / kTwipsPerPixel);

    setClientHeight(w, kMinimumClientHeight);
    QVERIFY(!title->isVisible());
    QVERIFY(!legend->isVisible());
    setClientHeight(w, kMinimumClientHeight + 30);
    QVERIFY(title->isVisible());
    f.exit();
}

void TestMainWindowLayoutView::minimisedWindowIsLaidOutWhenRestored()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    const int before = clientHeight(w);
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    // Nothing is laid out while the window is minimised...
    w->resize(w->width(), w->height() + 100);
    QTRY_COMPARE(clientHeight(w), before + 100);
    QCOMPARE(top(w, "cmdRandom"), before - 2460 / kTwipsPerPixel);
    // ...but the layout catches up when it is restored.
    w->showNormal();
    QTRY_VERIFY(!w->isMinimized());
    QCOMPARE(top(w, "cmdRandom"), before + 100 - 2460 / kTwipsPerPixel);
    QCOMPARE(top(w, "lblGameFile"), before + 100 - 255 / kTwipsPerPixel);
    f.exit();
}

void TestMainWindowLayoutView::screenshotEntryWidensTheList()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    QMainWindow* w = f.start();
    QVERIFY(w);
    setClientHeight(w, 8400 / kTwipsPerPixel);
    auto* list = control<QListView>(w, "lstGames");
    QAction* screenshots = action(w, "mnuViewScreenshots");
    QVERIFY(screenshots->isChecked());
    QCOMPARE(list->width(), 4095 / kTwipsPerPixel);

    screenshots->trigger();
    QVERIFY(!screenshots->isChecked());
    QCOMPARE(list->width(), 9015 / kTwipsPerPixel);
    QVERIFY(!control<QWidget>(w, "imgScreenShot")->isVisible());
    // The list now covers the band, so the name and the legend go too.
    QVERIFY(!control<QWidget>(w, "lblGN")->isVisible());
    QVERIFY(!control<QWidget>(w, "picKey")->isVisible());
    QVERIFY(list->hasFocus());

    // The layout keeps to the entry when the window is resized.
    setClientHeight(w, kMinimumClientHeight + 50);
    QCOMPARE(list->width(), 9015 / kTwipsPerPixel);
    QVERIFY(!control<QWidget>(w, "imgScreenShot")->isVisible());

    screenshots->trigger();
    QVERIFY(screenshots->isChecked());
    QCOMPARE(list->width(), 4095 / kTwipsPerPixel);
    QVERIFY(control<QWidget>(w, "imgScreenShot")->isVisible());
    QVERIFY(control<QWidget>(w, "lblGN")->isVisible());
    QVERIFY(list->hasFocus());
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("SSView")).toString(), QStringLiteral("True"));
}

void TestMainWindowLayoutView::emptyCommentShowsBlankScroller()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("CurrentGame"), QStringLiteral("Cavern Crawler")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(control<QLabel>(w, "lblComment")->text(), QString());
    QVERIFY(control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(!scrollerBox(w)->isVisible());

    QAction* scrolling = action(w, "mnuViewGameDetails");
    QCOMPARE(scrolling->text(), QStringLiteral("Scrolling &Comment"));
    scrolling->trigger();
    QVERIFY(scrolling->isChecked());
    QVERIFY(scrollerBox(w)->isVisible());
    QVERIFY(!control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(scrollerBox(w)->isBlank());
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(control<QListView>(w, "lstGames")->hasFocus());
    QTest::qWait(60);
    QVERIFY(scrollerBox(w)->isBlank());
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("View")).toString(), QStringLiteral("True"));
}

void TestMainWindowLayoutView::commentScrollsAndStops()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // No game has a tune now, so the tune view is empty.
    QCOMPARE(f.editCatalogue(QStringLiteral("UPDATE Games SET SA = 0;")), QString());
    f.presetSettings({{QStringLiteral("View"), QStringLiteral("True")},
                      {QStringLiteral("CurrentGame"), QStringLiteral("Cavern Crawler")}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(action(w, "mnuViewGameDetails")->isChecked());
    QVERIFY(scrollerBox(w)->isVisible());
    QVERIFY(!scroller(w).isRunning());

    QVERIFY(clickGame(w, QStringLiteral("Astro Miner")));
    QVERIFY(scroller(w).isRunning());
    QCOMPARE(scroller(w).interval(), 20);
    QVERIFY(!control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(scrollerBox(w)->isVisible());
    // The text is drawn once into a strip of box + text + box width, then shown a block at a time.
    QVERIFY(scroller(w).bufferWidth() > 2 * scrollerBox(w)->width());
    QTRY_VERIFY(!scrollerBox(w)->isBlank());
    QCOMPARE(scrollerBox(w)->block().width(), scrollerBox(w)->width());
    // The text scrolls in the labels' dark blue over the window's background.
    QTRY_VERIFY(shownInBox(w).ink > 20);
    const BoxPixels pixels = shownInBox(w);
    QVERIFY2(
        pixels.background > pixels.total / 2,
        qPrintable(QStringLiteral("%1 of %2 pixels show the background").arg(pixels.background).arg(pixels.total)));
    const QImage earlier = scrollerBox(w)->block();
    QTRY_VERIFY(scrollerBox(w)->block() != earlier);

    // A game without a comment stops it and leaves the box blank.
    QVERIFY(clickGame(w, QStringLiteral("Iron Canyon Rally")));
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(scrollerBox(w)->isBlank());
    QVERIFY(scrollerBox(w)->isVisible());

    QVERIFY(clickGame(w, QStringLiteral("Moonbase Miner 2")));
    QVERIFY(scroller(w).isRunning());
    // The empty view stops it and hides the box with the other details.
    QTest::mouseClick(control<QPushButton>(w, "cmdMusicOnly"), Qt::LeftButton);
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(!scrollerBox(w)->isVisible());
    QVERIFY(!control<QLabel>(w, "lblComment")->isVisible());
    QTest::mouseClick(control<QPushButton>(w, "cmdAll"), Qt::LeftButton);
    QCOMPARE(windowtest::selectedGame(w), QStringLiteral("Astro Miner"));
    QVERIFY(scroller(w).isRunning());
    QVERIFY(scrollerBox(w)->isVisible());
    QVERIFY(!control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(clickGame(w, QStringLiteral("Moonbase Miner 2")));
    QVERIFY(scroller(w).isRunning());

    // Unchecking puts the comment label back.
    action(w, "mnuViewGameDetails")->trigger();
    QVERIFY(!action(w, "mnuViewGameDetails")->isChecked());
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(!scrollerBox(w)->isVisible());
    QVERIFY(control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(control<QLabel>(w, "lblComment")->text().startsWith(QStringLiteral("The sequel")));
    f.exit();
    QCOMPARE(f.storedValue(QStringLiteral("View")).toString(), QStringLiteral("False"));
}

QTEST_MAIN(TestMainWindowLayoutView)
void TestMainWindowLayoutView::longTitleEndsInAnEllipsisAndCaptionsKeepClear()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    const QString name = QStringLiteral("Astro Miner and the Very Long Expedition to the Asteroid Belt of Doom");
    QCOMPARE(f.editCatalogue(QStringLiteral("UPDATE Games SET Name = '%1' WHERE Name = 'Astro Miner'").arg(name)),
             QString());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QVERIFY(clickGame(w, name));
    auto* title = control<QLabel>(w, "lblGN");
    QVERIFY(title->isVisible());
    QVERIFY(title->text().endsWith(QChar(0x2026)));
    QVERIFY(name.startsWith(title->text().chopped(1)));
    QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
    QCOMPARE(title->toolTip(), name);
    // A short name shows whole.
    QVERIFY(clickGame(w, QStringLiteral("Bouncing Bytes")));
    QCOMPARE(title->text(), QStringLiteral("Bouncing Bytes"));

    // Every caption ends before its value's text begins.
    for (const auto& [captionName, valueName] : browser::kCaptionLabels) {
        auto* caption = control<QLabel>(w, captionName);
        auto* value = control<QLabel>(w, valueName);
        const int captionEnd = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
        const int valueStart = value->x() + value->contentsMargins().left();
        QVERIFY2(captionEnd < valueStart, captionName);
    }
    f.exit();
}

void TestMainWindowLayoutView::windowFitsTheScreenWhateverTheSettingsSay_data()
{
    QTest::addColumn<QVariantMap>("settings");
    // Twips: 15 to a pixel.
    QTest::newRow("taller than the screen") << QVariantMap{{"Heighty", 200000}, {"PositionFlag", "True"}};
    QTest::newRow("far below the screen") << QVariantMap{{"Top", 60000}, {"Left", 300}, {"PositionFlag", "True"}};
    QTest::newRow("huge values") << QVariantMap{
        {"Heighty", 2000000000}, {"Top", 2000000000}, {"Left", -2000000000}, {"PositionFlag", "True"}};
    QTest::newRow("centred, tall") << QVariantMap{{"Heighty", 200000}, {"PositionFlag", "False"}};
}

void TestMainWindowLayoutView::windowFitsTheScreenWhateverTheSettingsSay()
{
    QFETCH(QVariantMap, settings);
    WindowFixture f;
    QVERIFY(f.isValid());
    f.presetSettings(settings);
    QMainWindow* w = f.start();
    QVERIFY(w);
    const QRect screen = w->screen()->availableGeometry();
    QVERIFY2(screen.contains(w->geometry()), qPrintable(QString("%1,%2 %3x%4 in %5,%6 %7x%8")
                                                            .arg(w->x())
                                                            .arg(w->y())
                                                            .arg(w->width())
                                                            .arg(w->height())
                                                            .arg(screen.x())
                                                            .arg(screen.y())
                                                            .arg(screen.width())
                                                            .arg(screen.height())));
    // The buttons and the details are inside the window, not cut off below it.
    auto* exit = control<QPushButton>(w, "cmdExit");
    QVERIFY(exit->mapTo(w, QPoint(0, exit->height())).y() <= w->height());
    if (!settings.value("PositionFlag").toBool())
        QVERIFY(qAbs(w->geometry().center().y() - screen.center().y()) <= 1);
    f.exit();
}

#include "TestMainWindowLayoutView.moc"
