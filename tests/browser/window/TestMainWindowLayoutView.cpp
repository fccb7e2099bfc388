// The main window applying its layout as the window is resized (a few rows measured from the client
// area's bottom, in twips at 15 to the pixel; the whole table is the layout's own test), the two View
// entries that change it, the scrolling comment, and the window's place on the screen.
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

using namespace windowtest;

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

class TestMainWindowLayoutView : public QObject
{
    Q_OBJECT

private slots:
    void layoutFollowsTheClientHeightAndTheScreenshotEntry();
    void commentScrollsAndStops();
    void windowFitsTheScreenWhateverTheSettingsSay();
};

void TestMainWindowLayoutView::layoutFollowsTheClientHeightAndTheScreenshotEntry()
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

void TestMainWindowLayoutView::commentScrollsAndStops()
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

void TestMainWindowLayoutView::windowFitsTheScreenWhateverTheSettingsSay()
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

QTEST_MAIN(TestMainWindowLayoutView)
#include "TestMainWindowLayoutView.moc"
