#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace browser {

// The scrolling comment, without any painting. The text is drawn once into an off-screen strip
// (picScrollerBack) with a box width of blank on either side; every 20 ms one box-sized block of the
// strip, starting one pixel further right each time, is copied into the visible box (picScroller).
// So the text enters at the box's right edge, crosses it and leaves at the left, and the cycle repeats.
//
// All widths are in the box's scale units (pixels). The window measures the text and does the copying
// when copyBlock is emitted.
class Scroller : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 20;

    explicit Scroller(QObject* parent = nullptr);

    // picScroller's scale width; takes effect at the next StartScroller.
    void setBoxWidth(int width);
    int boxWidth() const { return m_boxWidth; }

    // Shows the scroller in place of lblComment and starts it on text, textWidth wide when drawn.
    // An empty text leaves the box shown but blank and the timer stopped.
    void StartScroller(const QString& text, int textWidth);
    // Clears and hides the box and shows lblComment again.
    void StopScroller();
    // One timer notification: copy the block at the current offset, then advance (and wrap).
    void tick();

    bool commentLabelVisible() const { return !m_shown; }
    bool scrollerVisible() const { return m_shown; }
    bool isRunning() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

    QString text() const { return m_text; }
    int textWidth() const { return m_textWidth; }
    // picScrollerBack: box + text + box wide, the text printed at x = box width; 0 with no text.
    int bufferWidth() const;
    int textX() const { return m_boxWidth; }
    // Where the next tick copies from.
    int offset() const { return m_offset; }
    // The largest offset copied before the strip starts again at 0.
    int lastOffset() const { return bufferWidth() - m_boxWidth; }

    // What the box shows now: blank, or the block copied last (blockX = its left edge in the strip).
    bool boxBlank() const { return m_blank; }
    int blockX() const { return m_blockX; }
    // Where the text's left edge lies in the box (box coordinates); meaningful while not blank.
    int textLeftInBox() const { return textX() - m_blockX; }

signals:
    // Copy picScrollerBack from (sourceX, 0), one box in size, to the box at (0, 0).
    void copyBlock(int sourceX);
    // The box is to be cleared.
    void boxCleared();
    // The strip must be drawn again for a new text (StartScroller with a non-empty text).
    void bufferChanged();
    // picScroller and lblComment swap visibility.
    void visibilityChanged(bool scrollerVisible);

private:
    void setShown(bool shown);
    void clearBox();

    QTimer m_timer;
    QString m_text;
    int m_boxWidth = 0;
    int m_textWidth = 0;
    int m_offset = 0;
    int m_blockX = 0;
    bool m_shown = false;
    bool m_blank = true;
};

} // namespace browser
