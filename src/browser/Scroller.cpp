#include "browser/Scroller.h"

#include <algorithm>

namespace browser {

Scroller::Scroller(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(kIntervalMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Scroller::tick);
}

void Scroller::setBoxWidth(int width)
{
    m_boxWidth = std::max(0, width);
}

int Scroller::bufferWidth() const
{
    if (m_text.isEmpty())
        return 0;
    return m_boxWidth + m_textWidth + m_boxWidth;
}

void Scroller::StartScroller(const QString& text, int textWidth)
{
    setShown(true);
    m_timer.stop();
    m_offset = 0;
    m_blockX = 0;
    if (text.isEmpty()) {
        m_text.clear();
        m_textWidth = 0;
        clearBox();
        return;
    }
    m_text = text;
    m_textWidth = std::max(0, textWidth);
    emit bufferChanged();
    m_timer.start();
}

void Scroller::StopScroller()
{
    m_timer.stop();
    clearBox();
    setShown(false);
}

void Scroller::tick()
{
    if (m_text.isEmpty())
        return;
    m_blockX = m_offset;
    m_blank = false;
    emit copyBlock(m_blockX);
    ++m_offset;
    if (m_offset > lastOffset())
        m_offset = 0;
}

void Scroller::setShown(bool shown)
{
    if (m_shown == shown)
        return;
    m_shown = shown;
    emit visibilityChanged(shown);
}

void Scroller::clearBox()
{
    m_blank = true;
    emit boxCleared();
}

} // namespace browser
