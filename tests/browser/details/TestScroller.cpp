// The scrolling comment without a window: the strip, the steps, restart and stop, its own timer.
#include "browser/Scroller.h"

#include "browser/ScrollerStrip.h"

#include <QSignalSpy>
#include <QTest>

using namespace browser;

class TestScroller : public QObject
{
    Q_OBJECT

private slots:
    void emptyCommentShowsABlankBox();
    void longCommentCrossesTheBoxAndWraps();
    void stripHoldsTheTextBetweenTwoBlankBoxes();
    void restartAndStop();
    void runsOnItsOwnTimer();

private:
    static bool hasInk(const QImage& image, const QColor& background);
};

bool TestScroller::hasInk(const QImage& image, const QColor& background)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background)
                return true;
    return false;
}

void TestScroller::emptyCommentShowsABlankBox()
{
    Scroller s;
    s.setBoxWidth(600);
    QSignalSpy cleared(&s, &Scroller::boxCleared);
    QSignalSpy copies(&s, &Scroller::copyBlock);
    s.StartScroller(QString(), 0);
    QVERIFY(s.scrollerVisible() && !s.commentLabelVisible() && !s.isRunning() && s.boxBlank());
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(s.bufferWidth(), 0);
    s.tick();
    QCOMPARE(copies.count(), 0);
    QVERIFY(s.boxBlank());
    QVERIFY(drawScrollerStrip(s, QFont(), 16, Qt::black, Qt::white).isNull());
}

void TestScroller::longCommentCrossesTheBoxAndWraps()
{
    Scroller s;
    s.setBoxWidth(100);
    QSignalSpy copies(&s, &Scroller::copyBlock);
    s.StartScroller(QStringLiteral("A comment much wider than the box it scrolls through"), 250);
    QVERIFY(s.isRunning());
    QCOMPARE(s.interval(), 20);
    QCOMPARE(s.bufferWidth(), 100 + 250 + 100);
    QCOMPARE(s.textX(), 100);

    // First step: the block at 0, the text just past the box's right edge.
    s.tick();
    QCOMPARE(copies.takeFirst().at(0).toInt(), 0);
    QCOMPARE(s.textLeftInBox(), 100);
    QVERIFY(!s.boxBlank());

    // One pixel per step; the last block copied starts at strip width - box width, then back to 0.
    int steps = 1;
    int previous = 0;
    while (s.offset() != 0) {
        s.tick();
        ++steps;
        const int x = copies.takeFirst().at(0).toInt();
        QCOMPARE(x, previous + 1);
        previous = x;
    }
    QCOMPARE(previous, s.bufferWidth() - s.boxWidth());
    QCOMPARE(steps, 100 + 250 + 1);
    // By then the text's right end has left the box at the left.
    QCOMPARE(s.textLeftInBox() + s.textWidth(), 0);
    s.tick();
    QCOMPARE(copies.takeFirst().at(0).toInt(), 0);
}

void TestScroller::stripHoldsTheTextBetweenTwoBlankBoxes()
{
    const QString text = QStringLiteral("Best played with a friend.\r\nSecond line");
    QFont font;
    font.setPixelSize(14);
    const int width = scrollerTextWidth(text, font);
    QVERIFY(width > 100);

    Scroller s;
    s.setBoxWidth(120);
    s.StartScroller(text, width);
    const QColor back(0, 0, 64);
    const QImage strip = drawScrollerStrip(s, font, 20, Qt::white, back);
    QCOMPARE(strip.width(), 120 + width + 120);
    QCOMPARE(strip.height(), 20);

    // The leading and trailing boxes are blank; ink lies only where the text was printed.
    QVERIFY(!hasInk(scrollerBlock(strip, 0, 120), back));
    QVERIFY(!hasInk(scrollerBlock(strip, s.lastOffset(), 120), back));
    QVERIFY(hasInk(scrollerBlock(strip, 120, 120), back));
    QVERIFY(hasInk(scrollerBlock(strip, 60, 120), back)); // the text has entered the right half of the box
    QVERIFY(!hasInk(strip.copy(0, 0, 60 + 55, 20), back));

    // What a step shows is that block of the strip.
    for (int i = 0; i < 200; ++i)
        s.tick();
    QCOMPARE(s.blockX(), 199);
    QCOMPARE(scrollerBlock(strip, s.blockX(), s.boxWidth()), strip.copy(199, 0, 120, 20));
}

void TestScroller::restartAndStop()
{
    Scroller s;
    s.setBoxWidth(100);
    QSignalSpy redraws(&s, &Scroller::bufferChanged);
    QSignalSpy visibility(&s, &Scroller::visibilityChanged);
    s.StartScroller(QStringLiteral("First game"), 80);
    for (int i = 0; i < 50; ++i)
        s.tick();
    QCOMPARE(s.offset(), 50);
    // Selecting another game restarts the scroller on its comment, at the box's right edge.
    s.StartScroller(QStringLiteral("Second game, longer comment"), 200);
    QCOMPARE(redraws.count(), 2);
    QCOMPARE(s.offset(), 0);
    QCOMPARE(s.bufferWidth(), 400);
    s.tick();
    QCOMPARE(s.textLeftInBox(), 100);
    // A game without a comment stops it, but the box stays in place of the label.
    s.StartScroller(QString(), 0);
    QVERIFY(!s.isRunning() && s.scrollerVisible());
    QCOMPARE(redraws.count(), 2);
    // Stopping shows the comment label again.
    s.StopScroller();
    QVERIFY(!s.isRunning() && !s.scrollerVisible() && s.commentLabelVisible() && s.boxBlank());
    QCOMPARE(visibility.first().at(0).toBool(), true);
    QCOMPARE(visibility.last().at(0).toBool(), false);
}

void TestScroller::runsOnItsOwnTimer()
{
    Scroller s;
    s.setBoxWidth(50);
    QSignalSpy copies(&s, &Scroller::copyBlock);
    s.StartScroller(QStringLiteral("tick"), 30);
    QTRY_VERIFY_WITH_TIMEOUT(copies.count() >= 5, 2000);
    s.StopScroller();
    const int seen = copies.count();
    QTest::qWait(100);
    QCOMPARE(copies.count(), seen);
}

QTEST_MAIN(TestScroller)
#include "TestScroller.moc"
