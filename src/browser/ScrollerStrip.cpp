#include "browser/ScrollerStrip.h"

#include "browser/Scroller.h"

#include <QFontMetrics>
#include <QPainter>

namespace browser {

namespace {

// A comment is one line on the strip: line breaks become blanks.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    return text;
}

} // namespace

int scrollerTextWidth(const QString& text, const QFont& font)
{
    return QFontMetrics(font).horizontalAdvance(oneLine(text));
}

QImage drawScrollerStrip(const Scroller& scroller, const QFont& font, int height, const QColor& foreground,
                         const QColor& background)
{
    if (scroller.bufferWidth() <= 0 || height <= 0)
        return {};
    // With an alpha channel, so a transparent background lets the window show through the box
    // instead of turning black.
    QImage strip(scroller.bufferWidth(), height, QImage::Format_ARGB32_Premultiplied);
    strip.fill(background);
    QPainter p(&strip);
    p.setFont(font);
    p.setPen(foreground);
    p.drawText(QPoint(scroller.textX(), QFontMetrics(font).ascent()), oneLine(scroller.text()));
    return strip;
}

QImage scrollerBlock(const QImage& strip, int sourceX, int boxWidth)
{
    if (strip.isNull() || boxWidth <= 0)
        return {};
    return strip.copy(sourceX, 0, boxWidth, strip.height());
}

} // namespace browser
