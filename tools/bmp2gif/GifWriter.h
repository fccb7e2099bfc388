#pragma once

#include "IndexedImage.h"

#include <QByteArray>
#include <QString>

// Encodes the picture as a single-image GIF whose colour table is the picture's palette, padded with black to
// the next power of two that also covers every index in use, so every pixel keeps its index and colour.
bool encodeGif(IndexedImage& image, QByteArray* gif, QString* error);
