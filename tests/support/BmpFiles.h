#pragma once

#include <QByteArray>

namespace testsupport {

// A palette BMP written field by field: Windows info header or OS/2 core header, 1, 4 or 8 bits, 1 << bits
// colours. pixels are the rows as stored (RLE-encoded when compression is 1 for RLE8 or 2 for RLE4); empty
// gives plain rows of a fixed pattern.
QByteArray paletteBmp(int width, int height, int bits, QByteArray pixels = {}, bool core = false, int compression = 0);

} // namespace testsupport
