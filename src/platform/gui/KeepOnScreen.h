#pragma once

class QWidget;

namespace platform {

// Puts a top-level window centred on its parent (or on the primary screen), then moves it wholly into the
// available area of that screen; a window larger than that area starts at its top left corner. Call it once
// the window has its final size.
void centreOnParent(QWidget* window, const QWidget* parent);

} // namespace platform
