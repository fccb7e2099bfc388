#pragma once

#include <QByteArray>

namespace testsupport {

// A palette BMP written field by field: Windows info header or OS/2 core header, 1, 4 or 8 bits, 1 << bits
// colours. pixels are the rows as stored (RLE-encoded when compression is 1 for RLE8 or 2 for RLE4); empty
// gives plain rows of a fixed pattern.
QByteArray paletteBmp(int width, int height, int bits, QByteArray pixels = {}, bool core = false, int compression = 0);

// A CCS64 screen dump: 504 by 312, 8 bits, the palette of paletteBmp, biClrUsed and biClrImportant 256. Its
// border is colour 0; the 320 by 200 picture at x 128, y 51 is blocks of 40 by 25 pixels, the block at column c,
// row r (from the top) coloured dumpColour(c, r). seed varies the colours (seed 1 gives other ones).
QByteArray ccs64Dump(int seed = 0);
inline int dumpColour(int x, int y, int seed = 0)
{
    return (x / 40 + 8 * (y / 25) + 1 + seed * 64) & 0xff;
}

} // namespace testsupport
