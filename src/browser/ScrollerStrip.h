#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace browser {

class Scroller;

// The scroller's pictures: the off-screen strip is drawn once per text, and each step of the scroller
// is a plain block copy out of it.

// The width the text takes when drawn in font, in pixels.
int scrollerTextWidth(const QString& text, const QFont& font);

// picScrollerBack for the scroller's text: bufferWidth() by height, filled with background and the
// text drawn at x = textX(), top-aligned. A null image when the scroller has no text.
QImage drawScrollerStrip(const Scroller& scroller, const QFont& font, int height, const QColor& foreground,
                         const QColor& background);

// The box-sized block of the strip starting at sourceX (what picScroller shows after that step).
QImage scrollerBlock(const QImage& strip, int sourceX, int boxWidth);

} // namespace browser
