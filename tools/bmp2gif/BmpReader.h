#pragma once

#include "IndexedImage.h"

#include <QByteArray>
#include <QString>

// Reads a palette BMP: 1, 4 or 8 bits per pixel, uncompressed (bottom-up or top-down) or BI_RLE8 / BI_RLE4,
// with a Windows (40 bytes or later) or OS/2 1.x (12 bytes) info header. Nothing in the headers is trusted:
// every size is checked against the file, and anything else (24-bit and other direct-colour BMPs, damaged or
// cut-off files) fails with a reason.
// A pixel data offset that points into the headers or past the end is taken to mean "right after the palette",
// which is where CCS64 screen dumps keep their pixels.
bool readBmp(const QByteArray& file, IndexedImage* image, QString* error);
