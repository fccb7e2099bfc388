#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace platform {

// Puts a top-level window centred on its parent (or on the primary screen), then moves it wholly into the
// available area of that screen; a window larger than that area starts at its top left corner. Call it once
// the window has its final size.
void centreOnParent(QWidget* window, const QWidget* parent);

// Where a window opens and how tall: the whole window fits the available area of one screen. The saved place is
// kept when enough of its top edge (where it is grabbed to move it) lies on a screen, moved only as far as needed
// to bring the rest onto that screen; otherwise (a screen taken away, a garbage value in the settings) and when
// centred is asked for, the window is centred on the first screen by the height it really gets. A height taller
// than the screen is cut to the screen's. Pixels; screens are their available areas, the first the primary one.
QRect placeWindow(const QRect& saved, bool centred, const QList<QRect>& screens);

// The available areas of the screens, the primary one first.
QList<QRect> screenAreas();

} // namespace platform
