#pragma once

#include <QImage>

namespace help {

// The program's icon, drawn rather than shipped: a C64 screen (light blue frame, blue inside) with a "V" and
// rainbow stripes across its corner. phase turns the stripes' colours on by one, which animates the about box's
// picture. The same drawing makes the window icon and, at build time, the installed icons.
QImage programIcon(int size, int phase = 0);

} // namespace help
